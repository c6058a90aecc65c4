#include "robust_sweep.h"

#include <gtest/gtest.h>

#include "entrance_pressure_search.h"
#include "fluxeta/base/checked_real.h"
#include "rheology.h"
#include "robust_search.h"
#include "solver_test_cases.h"
#include "sweep_die_width.h"

namespace fluxeta::solver {
namespace {

using testing::DefaultCase;

// Table and state of the default case after the set-up pass.
struct SetUpCase {
  SetUpCase() : parameters(DefaultCase()) {
    SetUpStations(parameters, table, state);
    firstGuess = FirstEntrancePressureGuess(table, state);
  }

  cases::CaseParameters parameters;
  cases::StationTable table;
  solver::SolverState state;
  double firstGuess = 0;
};

TEST(RobustSweep, TooLowAnEntrancePressureRunsOutOfPressureAndAsksForMore) {
  SetUpCase setUp;
  setUp.table.P[cases::kFarEnd] = 12345.0;
  RobustSweep sweep(setUp.parameters, setUp.table, setUp.state, GapTieBreak::CloserRegime);
  const RobustSweepResult result = sweep(0.05 * setUp.firstGuess);

  EXPECT_EQ(result.exit, BranchExit::PressureRunsOut);
  ASSERT_GT(result.exitStation, 1);
  const int exit = result.exitStation;
  EXPECT_LE(setUp.table.P[exit], 0.0);
  EXPECT_GT(setUp.table.P[exit - 1], 0.0);
  EXPECT_GT(setUp.table.Q[exit], 0.0);
  // Stations left beyond the crossing, plus the flow left there in even shares.
  EXPECT_GT(result.distance, cases::kFarEnd - exit);
  EXPECT_LT(result.distance, cases::kFarEnd - exit + 1 + setUp.table.Q[exit - 1] / 0.66);
  // Nothing was integrated past the crossing.
  EXPECT_EQ(setUp.table.P[cases::kFarEnd], 12345.0);
}

TEST(RobustSweep, TooHighAnEntrancePressureEmptiesTheCavityAndAsksForLess) {
  SetUpCase setUp;
  RobustSweep sweep(setUp.parameters, setUp.table, setUp.state, GapTieBreak::CloserRegime);
  const RobustSweepResult result = sweep(2.0 * setUp.firstGuess);

  EXPECT_EQ(result.exit, BranchExit::CavityEmpties);
  const int exit = result.exitStation;
  ASSERT_GT(exit, 1);
  ASSERT_LE(exit, cases::StationCount);
  EXPECT_LE(setUp.table.Q[exit], 0.0);
  EXPECT_GT(setUp.table.Q[exit - 1], 0.0);
  EXPECT_LT(result.distance, -(cases::kFarEnd - exit));
  EXPECT_GE(result.distance, -(cases::kFarEnd - exit + 1));
}

// A sweep that reaches the far end is the window's sweep with the rheology its own flows
// give: the window's update from it changes nothing.
TEST(RobustSweep, SweepThatReachesTheFarEndIsAFixedPointOfTheWindowsUpdate) {
  SetUpCase setUp;
  RobustSweep sweep(setUp.parameters, setUp.table, setUp.state, GapTieBreak::CloserRegime);
  const double entrancePressure = 1.07 * setUp.firstGuess;
  const RobustSweepResult result = sweep(entrancePressure);
  ASSERT_EQ(result.exit, BranchExit::None);
  EXPECT_EQ(result.gapStations, 0U);
  EXPECT_EQ(result.distance,
            (base::Real(setUp.table.Q[cases::kFarEnd]) / (base::Real(33.0) / 50)).value());
  EXPECT_EQ(setUp.table.P[1], entrancePressure);

  cases::StationTable window = setUp.table;
  solver::SolverState windowState = setUp.state;
  SweepDieWidth(setUp.parameters, window, windowState);
  UpdateStationRheology(setUp.parameters, window, windowState);
  EXPECT_EQ(window.Q, setUp.table.Q);
  EXPECT_EQ(window.P, setUp.table.P);
  EXPECT_EQ(window.DelQ, setUp.table.DelQ);
  EXPECT_EQ(window.APP_VIS_C, setUp.table.APP_VIS_C);
  EXPECT_EQ(window.VIS_S, setUp.table.VIS_S);
  EXPECT_EQ(window.SR_S, setUp.table.SR_S);
  EXPECT_EQ(window.SlotNewtonian, setUp.table.SlotNewtonian);
}

// The regime a station had last only orders the trials: a sweep gives the same flows
// whatever the table's regimes were.
TEST(RobustSweep, ResultDoesNotDependOnTheRegimesTheTableHeld) {
  SetUpCase powerLaw;
  SetUpCase constant;
  for (int i = 1; i <= cases::StationCount; ++i) {
    constant.table.SlotNewtonian[i] = true;
    constant.table.N_S[i] = kNewtonianSlotIndex;
  }
  const double entrancePressure = 1.07 * powerLaw.firstGuess;
  RobustSweep first(powerLaw.parameters, powerLaw.table, powerLaw.state, GapTieBreak::CloserRegime);
  RobustSweep second(constant.parameters, constant.table, constant.state,
                     GapTieBreak::CloserRegime);
  EXPECT_EQ(first(entrancePressure).distance, second(entrancePressure).distance);
  EXPECT_EQ(powerLaw.table.Q, constant.table.Q);
  EXPECT_EQ(powerLaw.table.SlotNewtonian, constant.table.SlotNewtonian);
}

}  // namespace
}  // namespace fluxeta::solver
