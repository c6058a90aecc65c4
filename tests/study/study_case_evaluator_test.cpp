// Solving the cases of a study.
#include "study_case_evaluator.h"

#include <gtest/gtest.h>

#include <string>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/study/study_grid.h"

namespace fluxeta::study {
namespace {

constexpr std::uint64_t kSweepCount = 100001;
constexpr int kCasesChecked = 1;

CaseResult Solve(const StudyGrid& grid, std::uint64_t index) {
  const cases::CaseInputs base = cases::DefaultCaseInputs();
  CaseEvaluator evaluator(grid, base);
  CaseResult result;
  evaluator.Evaluate(index, result);
  return result;
}

// The value of a text as an edit box reads it: rounded to 64 bits, then to a double.
double ReadAsBoxText(const std::string& text) {
  return base::StoreAsDouble(cases::ParseNumber(text, '.')).value();
}

// A swept value whose printed text, read as a box reads it, is its neighbouring double
// (about one in ten thousand), and whose neighbour solves to another entrance pressure:
// the row must show the solve of the value printed.
TEST(StudyCaseEvaluator, SolvesExactlyTheSweepValueItPrints) {
  const Sweep gamma = ParseSweep("gamma=0.05:0.95:" + std::to_string(kSweepCount), false);
  StudyGrid sweep;
  sweep.AddSweep(gamma);
  int checked = 0;
  for (std::uint64_t k = 0; k < kSweepCount && checked < kCasesChecked; ++k) {
    const double value = gamma.Value(k);
    const std::string printed = cases::ShortestText(value);
    if (ReadAsBoxText(printed) == value) {
      continue;
    }
    StudyGrid cell;
    cell.AddCases(CasesTable{{sweep.Columns()[0]}, {printed}});
    const CaseResult fromSweep = Solve(sweep, k);
    const CaseResult fromText = Solve(cell, 0);
    if (fromText.entrancePressure == fromSweep.entrancePressure) {
      continue;  // the neighbour solves alike: no evidence either way
    }
    StudyGrid exact;
    exact.AddSweep(ParseSweep("gamma=" + printed + ":0:1", false));
    EXPECT_EQ(fromSweep.entrancePressure, Solve(exact, 0).entrancePressure) << printed;
    ++checked;
  }
  EXPECT_EQ(checked, kCasesChecked);
}

}  // namespace
}  // namespace fluxeta::study
