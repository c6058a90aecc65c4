// The whole solve of a case: stations, entrance-pressure search, distribution results.
#pragma once

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/solver_state.h"

namespace fluxeta::solver {

class SearchObserver;

struct SolveOutcome {
  bool converged = false;
  int sweeps = 0;  // integration sweeps made (at most 50)
};

// Fills the table for the case. Raises FloatingPointError where the arithmetic fails.
// When the search does not converge the table keeps the last sweep, and the values
// only a converged solve computes (Q_DIFF, RTime, DelQRms, Uniformity) are left as
// they were; the caller decides what to show.
SolveOutcome SolveDieFlow(const cases::CaseParameters& parameters, cases::StationTable& table,
                          solver::SolverState& state);

// The same, reporting every sweep of the entrance-pressure search to `observer`.
SolveOutcome SolveDieFlow(const cases::CaseParameters& parameters, cases::StationTable& table,
                          solver::SolverState& state, SearchObserver* observer);

}  // namespace fluxeta::solver
