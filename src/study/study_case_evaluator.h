// Solves the cases of a study one after another with records of its own, so that each
// thread of a study owns one evaluator and no two threads share a record.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "case_evaluation.h"
#include "fluxeta/study/study_case_result.h"
#include "fluxeta/study/study_grid.h"

namespace fluxeta::study {

class CaseEvaluator {
 public:
  // `base` gives the inputs the grid does not vary; it must outlive the evaluator.
  CaseEvaluator(const StudyGrid& grid, const cases::CaseInputs& base,
                solver::Search search = solver::Search::Window);

  // Makes and solves case `index` of the grid. A text that is not a number and a
  // floating-point fault become the result's outcome, like a search that gives up:
  // a failing case never ends the study.
  void Evaluate(std::uint64_t index, CaseResult& result);

 private:
  const StudyGrid& grid_;
  const cases::CaseInputs& base_;
  std::array<std::optional<std::size_t>, cases::kInputCount> columnOfInput_{};
  std::vector<cases::InputValue> values_;
  solver::Search search_;
  CaseRecords records_;
};

}  // namespace fluxeta::study
