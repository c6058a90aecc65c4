// The evaluation of one study case from input values: its outcome, and its independence of
// the cases solved before in the same records.
#include <gtest/gtest.h>

#include <memory>

#include "case_evaluation.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::study {
namespace {

// The default case with one input changed.
cases::CaseValues DefaultCaseWith(std::string_view name, double value) {
  cases::CaseValues values = cases::DefaultCaseValues();
  values[*cases::FindInput(name)] = value;
  return values;
}

CaseResult Evaluate(const cases::CaseValues& values, CaseRecords& records) {
  CaseResult result;
  EvaluateCase([&values](std::size_t input) { return cases::StoredInputValue(values[input]); },
               records, result);
  return result;
}

void ExpectSameResult(const CaseResult& actual, const CaseResult& expected) {
  EXPECT_EQ(actual.converged, expected.converged);
  EXPECT_EQ(actual.status, expected.status);
  EXPECT_EQ(actual.sweeps, expected.sweeps);
  EXPECT_EQ(actual.outcome, expected.outcome);
  EXPECT_EQ(actual.entrancePressure, expected.entrancePressure);
  EXPECT_EQ(actual.uniformity, expected.uniformity);
  EXPECT_EQ(actual.delQRms, expected.delQRms);
  EXPECT_EQ(actual.qDiffMin, expected.qDiffMin);
  EXPECT_EQ(actual.qDiffMax, expected.qDiffMax);
}

TEST(CaseEvaluation, CasesThatFailOrGiveUpBecomeOutcomes) {
  auto records = std::make_unique<CaseRecords>();

  const CaseResult fault = Evaluate(DefaultCaseWith("W", 0.0), *records);
  EXPECT_FALSE(fault.converged);
  EXPECT_EQ(fault.status, base::Outcome::DivisionByZero);
  EXPECT_EQ(fault.sweeps, 0);
  EXPECT_EQ(fault.outcome, base::messages::kDivisionByZero);

  const CaseResult givenUp = Evaluate(DefaultCaseWith("Qin", 0.0), *records);
  EXPECT_FALSE(givenUp.converged);
  EXPECT_EQ(givenUp.status, base::Outcome::NotConverged);
  EXPECT_EQ(givenUp.sweeps, 50);
  EXPECT_EQ(givenUp.outcome, base::messages::kDoesNotConverge);
  EXPECT_EQ(givenUp.uniformity, 0.0);
}

TEST(CaseEvaluation, ACaseGivesTheSameFiguresWhateverTheRecordsSolvedBefore) {
  auto fresh = std::make_unique<CaseRecords>();
  const CaseResult expected = Evaluate(cases::DefaultCaseValues(), *fresh);
  ASSERT_TRUE(expected.converged);
  EXPECT_EQ(expected.status, base::Outcome::Converged);
  EXPECT_EQ(expected.outcome, "");
  const solver::Solution solution =
      solver::Solve(cases::MakeCase(cases::DefaultCaseValues()), solver::Search::Window);
  EXPECT_EQ(expected.entrancePressure, solution.table.P[1]);
  EXPECT_LT(expected.qDiffMin, 0.0);
  EXPECT_GT(expected.qDiffMax, 0.0);

  auto used = std::make_unique<CaseRecords>();
  Evaluate(DefaultCaseWith("gamma", 1.0), *used);
  Evaluate(DefaultCaseWith("Qin", 0.0), *used);
  Evaluate(DefaultCaseWith("Ain", 0.0), *used);
  ExpectSameResult(Evaluate(cases::DefaultCaseValues(), *used), expected);
}

}  // namespace
}  // namespace fluxeta::study
