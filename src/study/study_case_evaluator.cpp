#include "study/study_case_evaluator.h"

#include <algorithm>

#include "base/checked_real.h"
#include "base/errors.h"
#include "base/messages.h"
#include "base/quoted_text.h"
#include "case/number_text.h"
#include "solver/solve_die_flow.h"

namespace fluxeta::study {

CaseEvaluator::CaseEvaluator(const StudyGrid& grid, const cases::BoxTexts& base, char baseSeparator)
    : grid_(grid), base_(base), baseSeparator_(baseSeparator) {
  const auto& columns = grid_.Columns();
  for (std::size_t column = 0; column < columns.size(); ++column) {
    columnOfInput_[static_cast<std::size_t>(columns[column] - cases::kInputs.data())] = column;
  }
}

double CaseEvaluator::StoredInput(std::size_t input) const {
  const auto column = columnOfInput_[input];
  if (!column) {
    const std::string& text = base_.Edit(cases::kInputs[input].box);
    return cases::StoreAsDouble(cases::ParseNumber(text, baseSeparator_)).value();
  }
  if (values_[*column]) {
    return *values_[*column];  // solved exactly as printed
  }
  return cases::StoreAsDouble(cases::ParseNumber(texts_[*column], cases::kPointSeparator)).value();
}

void CaseEvaluator::Evaluate(std::uint64_t index, CaseResult& result) {
  grid_.CaseTexts(index, texts_);
  grid_.CaseValues(index, values_);

  result = CaseResult{};
  parameters_ = cases::CaseParameters{};
  table_ = cases::StationTable{};
  state_ = solver::SolverState{};
  try {
    cases::StoreInputs(parameters_, [this](std::size_t input) { return StoredInput(input); });
    const solver::SolveOutcome solve = solver::SolveDieFlow(parameters_, table_, state_);
    result.sweeps = solve.sweeps;
    if (!solve.converged) {
      result.status = cases::Outcome::NotConverged;
      result.outcome = cases::messages::kDoesNotConverge;
      return;
    }
  } catch (const cases::ConversionError& error) {
    // The cell quoted by its two ends only: the row stays readable whatever was typed.
    result.status = error.outcome();
    result.outcome = cases::messages::ConversionMessage(cases::ShortQuote(error.text()));
    return;
  } catch (const cases::FluxetaError& error) {
    result.status = error.outcome();
    result.outcome = error.message();
    return;
  }

  result.converged = true;
  result.status = cases::Outcome::Converged;
  result.entrancePressure = table_.P[1];
  result.uniformity = table_.Uniformity;
  result.delQRms = table_.DelQRms;
  const auto firstStation = table_.Q_DIFF.begin() + 1;
  const auto [smallest, largest] =
      std::minmax_element(firstStation, firstStation + cases::StationCount);
  result.qDiffMin = *smallest;
  result.qDiffMax = *largest;
}

}  // namespace fluxeta::study
