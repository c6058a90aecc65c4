// fluxeta.solve() and the result it returns: the case, its station table and the outcome
// of the search, held in C++ and shown to Python as read-only NumPy views.
#pragma once

#include <pybind11/pybind11.h>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::python {

struct SolveResult {
  cases::CaseParameters parameters;
  // As the result file prints it: a case that did not converge has its last sweep with
  // zero Q_DIFF, RTime, DelQRms and uniformity.
  solver::Solution solution;
  solver::Search search = solver::Search::Window;  // the search that made the solution
};

// Defines fluxeta.SolveResult and fluxeta.solve.
void RegisterSolve(pybind11::module_& module);

}  // namespace fluxeta::python
