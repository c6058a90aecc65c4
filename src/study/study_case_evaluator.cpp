#include "study_case_evaluator.h"

#include <stdexcept>
#include <string>

namespace fluxeta::study {

CaseEvaluator::CaseEvaluator(const StudyGrid& grid, const cases::CaseInputs& base,
                             solver::Search search)
    : grid_(grid), base_(base), search_(search) {
  const auto& columns = grid_.Columns();
  for (std::size_t column = 0; column < columns.size(); ++column) {
    if (!columns[column]->input) {
      throw std::logic_error("a case of the input table has no variable '" +
                             std::string(columns[column]->name) + "'");
    }
    columnOfInput_[*columns[column]->input] = column;
  }
}

void CaseEvaluator::Evaluate(std::uint64_t index, CaseResult& result) {
  grid_.CaseValues(index, values_);
  EvaluateCase(
      [this](std::size_t input) {
        const auto column = columnOfInput_[input];
        return column ? values_[*column].Stored() : base_[input].Stored();
      },
      records_, result, search_);
}

}  // namespace fluxeta::study
