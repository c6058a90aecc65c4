#include "entrance_pressure_search.h"

#include <array>

#include "fluxeta/base/checked_real.h"
#include "rheology.h"
#include "sweep_die_width.h"

namespace fluxeta::solver {

using base::Real;

namespace {

// Fraction of the first guess by which each stage moves P_1 while it has no bracket.
constexpr std::array<double, kSearchStageCount> kStepFactors = {0.1, 0.01, 0.001, 0.0001, 0.00001};
// The search has converged when the miss is below this fraction of the feed.
constexpr double kRelativeTolerance = 1e-6;

// The latest miss of each sign in the current stage, with the P_1 that gave it. A side
// not yet seen holds a placeholder of the opposite sign, so the product of the two misses
// is negative only once both sides have been seen.
struct Bracket {
  double positiveMiss = -1.0;   // cm3/s
  double positivePressure = 0;  // Pa
  double nonPositiveMiss = 1.0;
  double nonPositivePressure = 0;

  void Record(double miss, double entrancePressure) {
    if (miss > 0) {
      positiveMiss = miss;
      positivePressure = entrancePressure;
    } else {
      nonPositiveMiss = miss;
      nonPositivePressure = entrancePressure;
    }
  }

  bool Closed() const { return Real(positiveMiss) * nonPositiveMiss < 0.0; }

  // Zero of the line through the two remembered points (false position).
  double FalsePosition() const {
    const Real slope = (Real(positiveMiss) - nonPositiveMiss) /
                       (Real(positivePressure) - nonPositivePressure);  // cm3/s per Pa
    const Real intercept = Real(positiveMiss) - slope * positivePressure;
    return (-intercept / slope).value();
  }
};

}  // namespace

double FirstEntrancePressureGuess(const cases::StationTable& table,
                                  const solver::SolverState& state) {
  const Real gap = table.H[1];
  const Real slotFlowPerWidth = Real(table.DelQ[1]) / state.SegmentLength;  // cm3/s per cm
  return (Real(12.0) * table.VIS_S[1] * slotFlowPerWidth * table.L[1] / (gap * gap * gap)).value();
}

SolveOutcome SearchEntrancePressure(const cases::CaseParameters& parameters,
                                    cases::StationTable& table, solver::SolverState& state,
                                    SearchObserver* observer) {
  const Real firstGuess = state.InitialEntrancePressure;
  int stage = 1;
  int sweepInStage = 1;
  double stepFactor = kStepFactors[0];
  Bracket bracket;

  for (int sweep = 1;; ++sweep) {
    const double entrancePressure = table.P[1];
    SweepDieWidth(parameters, table, state);
    UpdateStationRheology(parameters, table, state);
    const double miss = table.Q[cases::kFarEnd];

    ++sweepInStage;
    if (sweepInStage > kSweepsPerStage) {
      ++stage;
      sweepInStage = 1;
      bracket = Bracket{};
      if (stage <= kSearchStageCount) {
        stepFactor = kStepFactors[stage - 1];
      }
    }
    if (observer != nullptr) {
      observer->SweepMade({sweep, stage, entrancePressure, miss});
    }
    if (stage > kSearchStageCount) {
      return {.converged = false, .sweeps = sweep};
    }

    bracket.Record(miss, entrancePressure);
    if (!bracket.Closed()) {
      const Real step = Real(stepFactor) * firstGuess;
      table.P[1] =
          (miss > 0 ? Real(entrancePressure) + step : Real(entrancePressure) - step).value();
      continue;
    }
    table.P[1] = bracket.FalsePosition();
    if (base::Abs(Real(miss) / parameters.Qin) < kRelativeTolerance) {
      return {.converged = true, .sweeps = sweep};
    }
  }
}

}  // namespace fluxeta::solver
