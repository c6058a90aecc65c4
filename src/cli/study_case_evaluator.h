// Solves the cases of a study one after another with records of its own, so that each
// thread of a study owns one evaluator and no two threads share a record.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "case/case_parameters.h"
#include "case/station_table.h"
#include "cli/study_case_result.h"
#include "cli/study_grid.h"

namespace fluxeta::cli {

class CaseEvaluator {
 public:
  // `base` holds the box texts of the inputs the grid does not vary.
  CaseEvaluator(const StudyGrid& grid, const cases::BoxTexts& base);

  // Reads and solves case `index` of the grid. A text that is not a number and a
  // floating-point fault become the result's outcome, like a search that gives up:
  // a failing case never ends the study.
  void Evaluate(std::uint64_t index, CaseResult& result);

 private:
  const StudyGrid& grid_;
  cases::BoxTexts boxes_;
  char separator_;
  std::vector<const std::string*> texts_;
  // Every case starts from zeroed records, as in a fresh process, so that a row never
  // depends on which cases the same thread solved before.
  cases::CaseParameters parameters_;
  cases::StationTable table_;
  cases::SolverState state_;
};

}  // namespace fluxeta::cli
