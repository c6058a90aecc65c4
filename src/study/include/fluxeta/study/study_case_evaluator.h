// Solves the cases of a study one after another with records of its own, so that each
// thread of a study owns one evaluator and no two threads share a record.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/study/case_evaluation.h"
#include "fluxeta/study/study_case_result.h"
#include "fluxeta/study/study_grid.h"

namespace fluxeta::study {

class CaseEvaluator {
 public:
  // `base` holds the box texts of the inputs the grid does not vary, numbers written with
  // `baseSeparator`; the grid's own texts are written with a point.
  CaseEvaluator(const StudyGrid& grid, const cases::BoxTexts& base, char baseSeparator,
                solver::Search search = solver::Search::Window);

  // Makes and solves case `index` of the grid. A text that is not a number and a
  // floating-point fault become the result's outcome, like a search that gives up:
  // a failing case never ends the study.
  void Evaluate(std::uint64_t index, CaseResult& result);

 private:
  // The stored value of input `input` of the case whose grid cells are loaded.
  double StoredInput(std::size_t input) const;

  const StudyGrid& grid_;
  const cases::BoxTexts& base_;
  char baseSeparator_;
  std::array<std::optional<std::size_t>, cases::kInputCount> columnOfInput_{};
  std::vector<std::string> texts_;
  std::vector<std::optional<double>> values_;
  solver::Search search_;
  CaseRecords records_;
};

}  // namespace fluxeta::study
