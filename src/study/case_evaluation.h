// The evaluation of one case of a study, whatever the inputs come from: box texts, the
// cells of a cases file, sweep values or the values a script hands over.
#pragma once

#include <cstddef>
#include <functional>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"
#include "fluxeta/study/study_case_result.h"

namespace fluxeta::study {

// The record one thread makes its cases in; no two threads share it.
struct CaseRecords {
  cases::CaseParameters parameters;
};

// Zeroes the record, as in a fresh process, so that a result never depends on the cases
// made before in it; stores the inputs that `storedInput(k)` gives (StoreInputs) and
// solves the case. A text that is not a number and a floating-point fault become the
// result's outcome, like a search that gives up: a failing case never ends a study.
// `search` solves it.
void EvaluateCase(const std::function<double(std::size_t input)>& storedInput, CaseRecords& records,
                  CaseResult& result, solver::Search search = solver::Search::Window);

}  // namespace fluxeta::study
