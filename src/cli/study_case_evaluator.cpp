#include "cli/study_case_evaluator.h"

#include <algorithm>

#include "case/errors.h"
#include "case/messages.h"
#include "case/number_text.h"
#include "solver/solve_die_flow.h"

namespace fluxeta::cli {

CaseEvaluator::CaseEvaluator(const StudyGrid& grid, const cases::BoxTexts& base)
    : grid_(grid), boxes_(base), separator_(cases::DecimalSeparator()) {}

void CaseEvaluator::Evaluate(std::uint64_t index, CaseResult& result) {
  grid_.CaseTexts(index, texts_);
  const auto& columns = grid_.Columns();
  for (std::size_t column = 0; column < columns.size(); ++column) {
    std::string& box = boxes_.Edit(columns[column]->box);
    box = *texts_[column];
    // Study texts always carry a point; the boxes are read with the process's separator.
    std::replace(box.begin(), box.end(), '.', separator_);
  }

  result = CaseResult{};
  parameters_ = cases::CaseParameters{};
  table_ = cases::StationTable{};
  state_ = cases::SolverState{};
  try {
    cases::ReadCaseFromForm(boxes_, parameters_);
    const solver::SolveOutcome solve = solver::SolveDieFlow(parameters_, table_, state_);
    result.sweeps = solve.sweeps;
    if (!solve.converged) {
      result.outcome = cases::messages::kDoesNotConverge;
      return;
    }
  } catch (const cases::FluxetaError& error) {
    result.outcome = error.what();
    return;
  }

  result.converged = true;
  result.entrancePressure = table_.P[1];
  result.uniformity = table_.Uniformity;
  result.delQRms = table_.DelQRms;
  const auto firstStation = table_.Q_DIFF.begin() + 1;
  const auto [smallest, largest] =
      std::minmax_element(firstStation, firstStation + cases::StationCount);
  result.qDiffMin = *smallest;
  result.qDiffMax = *largest;
}

}  // namespace fluxeta::cli
