// A second search for the entrance pressure, for studies and design: the window's discrete
// model solved as a fixed point, with a verdict for every design.
#pragma once

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/robust_outcome.h"
#include "robust_sweep.h"

namespace fluxeta::solver {

// A sweep each, at most, for one robust solve (its tie-break searches not counted).
inline constexpr int kRobustSweepBudget = 200;
// A root: a sweep on the physical branch whose miss |Q_51| is at most this share of Qin.
inline constexpr double kRobustRootTolerance = 1e-10;

// Sets the stations up, takes the window's first guess of P_1, then brackets the root of
// the self-consistent sweep's signed distance in ln P_1 and narrows it by Brent's method.
// The sweep at a root is, station by station, the sweep and rheology update that the
// window's search would make of its table, so the root needs no sweep of its own to
// verify it; the count of sweeps includes that one.
//
// Converged and RegimeGap leave the table as a converged window solve does, from the sweep
// at the root: P_1 the root, P and Q its sweep, the rheology its update (with the
// closer-regime tie-break at gap stations), RTime, Q_DIFF, DelQRms and Uniformity.
// Otherwise the table keeps the last sweep as far as it went, and the values only a
// converged solve computes are left as they were.
RobustOutcome SolveDieFlowRobust(const cases::CaseParameters& parameters,
                                 cases::StationTable& table, solver::SolverState& state);

// The same with another tie-break at gap stations and without the spread of the others.
RobustOutcome SolveDieFlowRobust(const cases::CaseParameters& parameters,
                                 cases::StationTable& table, solver::SolverState& state,
                                 GapTieBreak tieBreak);

}  // namespace fluxeta::solver
