// The searches for the entrance pressure that a script chooses by name.
#pragma once

#include <string_view>

#include "case/case_parameters.h"
#include "case/station_table.h"
#include "solver/search.h"
#include "solver/solver_state.h"

namespace fluxeta::python {

enum class SearchMethod {
  Window,  // the window's shooting search, exactly as its OK button solves
  Robust,  // the robust search: a verdict for every design
};

// The method of that name ("window" or "robust"); raises ValueError listing the known names.
SearchMethod ParseSearchMethod(std::string_view name);

// Solves the case with the method. Needs no Python.
solver::SearchOutcome SolveWith(SearchMethod method, const cases::CaseParameters& parameters,
                                cases::StationTable& table, solver::SolverState& state);

// The core's name of the search.
solver::Search CoreSearch(SearchMethod method);

}  // namespace fluxeta::python
