// The window's whole solve of a case: stations, entrance-pressure search, distribution
// results, in the records the solver works in.
#pragma once

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"
#include "solver_state.h"

namespace fluxeta::solver {

class SearchObserver;

// Fills the table for the case. Raises FloatingPointError where the arithmetic fails.
// When the search does not converge the table keeps the last sweep, and the values
// only a converged solve computes (Q_DIFF, RTime, DelQRms, Uniformity) are left as
// they were.
SolveOutcome SolveDieFlow(const cases::CaseParameters& parameters, cases::StationTable& table,
                          solver::SolverState& state);

// The same, reporting every sweep of the entrance-pressure search to `observer`.
SolveOutcome SolveDieFlow(const cases::CaseParameters& parameters, cases::StationTable& table,
                          solver::SolverState& state, SearchObserver* observer);

}  // namespace fluxeta::solver
