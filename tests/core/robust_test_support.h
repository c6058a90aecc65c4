// Helpers of the robust search's tests: the window's search carried on to full precision,
// and designs with a known verdict.
#pragma once

#include <cmath>
#include <vector>

#include "distribution_results.h"
#include "fluxeta/base/checked_real.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "rheology.h"
#include "solve_die_flow.h"
#include "solver_test_cases.h"
#include "sweep_die_width.h"

namespace fluxeta::solver::testing {

// The window's iteration (a sweep, then the rheology update from it) carried on past the
// window's tolerance: secant steps on the last two misses until the miss is at the
// rounding level of the feed or stops shrinking. Leaves the table as a converged window
// solve does, with P_1 the pressure of the last sweep, and returns whether the window's
// own search converged first.
inline bool SolveDieFlowContinued(const cases::CaseParameters& parameters,
                                  cases::StationTable& table, solver::SolverState& state) {
  constexpr int kMoreSweeps = 200;
  constexpr double kRoundingMiss = 1e-13;    // of Qin
  constexpr double kFirstSecantStep = 1e-9;  // of P_1
  if (!SolveDieFlow(parameters, table, state).converged) {
    return false;
  }
  double previousPressure = 0;
  double previousMiss = 0;
  for (int sweep = 0; sweep < kMoreSweeps; ++sweep) {
    const double pressure = table.P[1];
    SweepDieWidth(parameters, table, state);
    UpdateStationRheology(parameters, table, state);
    const double miss = table.Q[cases::kFarEnd];
    if (std::abs(miss) <= kRoundingMiss * parameters.Qin ||
        (sweep > 0 && (miss == previousMiss || pressure == previousPressure))) {
      break;
    }
    table.P[1] = sweep == 0
                     ? pressure * (1 + kFirstSecantStep)
                     : pressure - miss * (pressure - previousPressure) / (miss - previousMiss);
    previousPressure = pressure;
    previousMiss = miss;
  }
  ComputeDistributionResults(parameters, table);
  return true;
}

// A design from its ten free inputs, with the window's fixed material.
struct FreeInputs {
  double Ain, gamma, Pein, Lin, Lend, W, H, alpha, rho, Qin;
};

inline cases::CaseParameters Design(const FreeInputs& inputs) {
  return DefaultCaseWith([&](cases::CaseParameters& p) {
    p.Ain = inputs.Ain;
    p.gamma = inputs.gamma;
    p.Pein = inputs.Pein;
    p.Lin = inputs.Lin;
    p.Lend = inputs.Lend;
    p.W = inputs.W;
    p.H = inputs.H;
    p.alpha = inputs.alpha;
    p.rho = inputs.rho;
    p.Qin = inputs.Qin;
  });
}

// The seed of the studies of plausible designs.
inline constexpr std::uint64_t kStudySeed = 20261209;

}  // namespace fluxeta::solver::testing
