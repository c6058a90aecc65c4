// One integration of the cavity across the die width with the entrance pressure P_1.
#pragma once

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "solver_state.h"

namespace fluxeta::solver {

// Steps the cavity state (Q, P) over the 50 intervals, each with the values of the
// station at its start, writing Q and P of stations 2 … 51. Q_51 is the miss: the flow
// still in the cavity at the far end.
void SweepDieWidth(const cases::CaseParameters& parameters, cases::StationTable& table,
                   solver::SolverState& state);

}  // namespace fluxeta::solver
