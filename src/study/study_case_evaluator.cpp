#include "fluxeta/study/study_case_evaluator.h"

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::study {

CaseEvaluator::CaseEvaluator(const StudyGrid& grid, const cases::BoxTexts& base, char baseSeparator,
                             solver::Search search)
    : grid_(grid), base_(base), baseSeparator_(baseSeparator), search_(search) {
  const auto& columns = grid_.Columns();
  for (std::size_t column = 0; column < columns.size(); ++column) {
    columnOfInput_[static_cast<std::size_t>(columns[column] - cases::kInputs.data())] = column;
  }
}

double CaseEvaluator::StoredInput(std::size_t input) const {
  const auto column = columnOfInput_[input];
  if (!column) {
    const std::string& text = base_.Edit(cases::kInputs[input].box);
    return base::StoreAsDouble(cases::ParseNumber(text, baseSeparator_)).value();
  }
  if (values_[*column]) {
    return *values_[*column];  // solved exactly as printed
  }
  return base::StoreAsDouble(cases::ParseNumber(texts_[*column], cases::kPointSeparator)).value();
}

void CaseEvaluator::Evaluate(std::uint64_t index, CaseResult& result) {
  grid_.CaseTexts(index, texts_);
  grid_.CaseValues(index, values_);
  EvaluateCase([this](std::size_t input) { return StoredInput(input); }, records_, result, search_);
}

}  // namespace fluxeta::study
