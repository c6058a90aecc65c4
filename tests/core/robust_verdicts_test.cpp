// Designs from the plausible ranges whose robust verdicts are known, and the window's
// answers beside them.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fluxeta/solver/physical_check.h"
#include "rheology.h"
#include "robust_search.h"
#include "robust_test_support.h"
#include "solve_die_flow.h"

namespace fluxeta::solver {
namespace {

using testing::Design;

// Slot wall stresses H·P/(2L) (Pa) of this material that no regime can carry, from
// ηcr·τ = 88.4 Pa to K·(4τ/3)^n = 91.3 Pa: the power law's flow at them is too slow for
// the power law, ηcr's too fast for ηcr. Each gap station's stress at its start lies in
// that band, give or take the change across its interval.
constexpr double kGapStressLow = 88.0;
constexpr double kGapStressHigh = 91.5;

// Two slot regimes meet at a wall stress of about 90 Pa at stations 1 and 35–37.
const cases::CaseParameters kGapAtFourStations = Design({.Ain = 9.33,
                                                         .gamma = 1.47,
                                                         .Pein = 10.8,
                                                         .Lin = 1.41,
                                                         .Lend = 1.09,
                                                         .W = 169,
                                                         .H = 0.058,
                                                         .alpha = 1.45,
                                                         .rho = 1.33,
                                                         .Qin = 5.7});
// A shallow taper with a gap over five stations in the middle of the die.
const cases::CaseParameters kGapAtFiveStations = Design({.Ain = 8.86,
                                                         .gamma = 0.111,
                                                         .Pein = 10.5,
                                                         .Lin = 4.57,
                                                         .Lend = 3.15,
                                                         .W = 112,
                                                         .H = 0.0912,
                                                         .alpha = 1.02,
                                                         .rho = 0.925,
                                                         .Qin = 10.7});
// A nearly straight cavity with a gap over four stations, on which the window's search
// converges.
const cases::CaseParameters kWindowConvergesInAGap = Design({.Ain = 8.65,
                                                             .gamma = 0.0811,
                                                             .Pein = 10.4,
                                                             .Lin = 3.73,
                                                             .Lend = 2.24,
                                                             .W = 161,
                                                             .H = 0.0605,
                                                             .alpha = 1.65,
                                                             .rho = 0.897,
                                                             .Qin = 6.71});
// A wide slot gap on a short die: the window's search converges onto negative pressures,
// while a physical root exists.
const cases::CaseParameters kNegativePressures = Design({.Ain = 8.25,
                                                         .gamma = 1.47,
                                                         .Pein = 10.2,
                                                         .Lin = 1.71,
                                                         .Lend = 0.53,
                                                         .W = 52.5,
                                                         .H = 0.0865,
                                                         .alpha = 1.61,
                                                         .rho = 1.15,
                                                         .Qin = 71.8});
// A wide, deep cavity tapering to nothing, whose pressure cannot last to the far end.
const cases::CaseParameters kPressureRunsOut = Design({.Ain = 7.42,
                                                       .gamma = 1.44,
                                                       .Pein = 9.66,
                                                       .Lin = 1.32,
                                                       .Lend = 0.564,
                                                       .W = 149,
                                                       .H = 0.045,
                                                       .alpha = 0.942,
                                                       .rho = 1.37,
                                                       .Qin = 20.3});
// A long die with a narrow, tapered cavity empties before its far end.
const cases::CaseParameters kEmptiesEarly = Design({.Ain = 1.8,
                                                    .gamma = 1.49,
                                                    .Pein = 4.75,
                                                    .Lin = 1.12,
                                                    .Lend = 0.526,
                                                    .W = 181,
                                                    .H = 0.075,
                                                    .alpha = 0.769,
                                                    .rho = 0.854,
                                                    .Qin = 84.9});
// A design on which the window's search stops before its lagging rheology has settled.
const cases::CaseParameters kWindowLags = Design({.Ain = 3.081,
                                                  .gamma = 0.8784,
                                                  .Pein = 6.222,
                                                  .Lin = 2.489,
                                                  .Lend = 1.018,
                                                  .W = 86.42,
                                                  .H = 0.04559,
                                                  .alpha = 0.7416,
                                                  .rho = 1.387,
                                                  .Qin = 87.65});

void ExpectRegimeGap(const cases::CaseParameters& parameters, const std::vector<int>& stations) {
  cases::StationTable table;
  solver::SolverState state;
  const RobustOutcome outcome = SolveDieFlowRobust(parameters, table, state);
  ASSERT_EQ(outcome.verdict, RobustVerdict::RegimeGap) << DescribeOutcome(outcome);
  EXPECT_EQ(outcome.stations, stations);

  // Only the gap stations carry a regime that the window's update would change.
  const StationRheologyRules rules(parameters, state.SegmentLength);
  for (int i = 1; i <= cases::StationCount; ++i) {
    SCOPED_TRACE(i);
    const bool gap = std::find(stations.begin(), stations.end(), i) != stations.end();
    EXPECT_EQ(rules.SlotFollowsPowerLaw(table, i) == !table.SlotNewtonian[i], !gap);
    if (gap) {
      const double wallStress = parameters.H * table.P[i] / (2 * table.L[i]);  // Pa
      EXPECT_GT(wallStress, kGapStressLow);
      EXPECT_LT(wallStress, kGapStressHigh);
    }
  }
  EXPECT_LE(std::abs(table.Q[cases::kFarEnd]), kRobustRootTolerance * parameters.Qin);
  EXPECT_TRUE(FindUnphysicalStations(table).empty());

  // The spread is that of the answers of the three tie-breaks.
  double lowest = table.P[1];
  double highest = table.P[1];
  double lowestUniformity = table.Uniformity;
  double highestUniformity = table.Uniformity;
  for (const GapTieBreak tieBreak : {GapTieBreak::PowerLaw, GapTieBreak::ConstantViscosity}) {
    cases::StationTable other;
    solver::SolverState otherState;
    const RobustOutcome answer = SolveDieFlowRobust(parameters, other, otherState, tieBreak);
    ASSERT_EQ(answer.verdict, RobustVerdict::RegimeGap);
    lowest = std::min(lowest, other.P[1]);
    highest = std::max(highest, other.P[1]);
    lowestUniformity = std::min(lowestUniformity, other.Uniformity);
    highestUniformity = std::max(highestUniformity, other.Uniformity);
  }
  EXPECT_EQ(outcome.spread.answers, 3);
  EXPECT_EQ(outcome.spread.entrancePressure, highest - lowest);
  EXPECT_EQ(outcome.spread.uniformity, highestUniformity - lowestUniformity);
  EXPECT_GT(outcome.spread.entrancePressure, 0.0);
  // The gap costs a few pascals, small beside the entrance pressure.
  EXPECT_LT(outcome.spread.entrancePressure, 1e-2 * table.P[1]);
}

TEST(RobustVerdicts, RegimeGapNamesItsStationsAndTheSpreadOfTheTieBreaks) {
  {
    SCOPED_TRACE("four stations");
    ExpectRegimeGap(kGapAtFourStations, {1, 35, 36, 37});
  }
  {
    SCOPED_TRACE("five stations");
    ExpectRegimeGap(kGapAtFiveStations, {19, 20, 21, 22, 23});
  }
}

// Where no exact fixed point exists, the window's lagging rheology settles on some
// mixture of the regimes at the gap stations: its answer lies within the spread of the
// tie-breaks.
TEST(RobustVerdicts, WindowAnswerInARegimeGapLiesWithinTheSpreadOfTheTieBreaks) {
  cases::StationTable window;
  solver::SolverState windowState;
  ASSERT_TRUE(SolveDieFlow(kWindowConvergesInAGap, window, windowState).converged);
  ASSERT_TRUE(FindUnphysicalStations(window).empty());
  cases::StationTable table;
  solver::SolverState state;
  const RobustOutcome outcome = SolveDieFlowRobust(kWindowConvergesInAGap, table, state);
  ASSERT_EQ(outcome.verdict, RobustVerdict::RegimeGap);
  EXPECT_EQ(outcome.stations, (std::vector<int>{24, 25, 26, 27}));
  // Farther apart than the window's tolerance, closer than the tie-breaks.
  EXPECT_GT(std::abs(window.P[1] / table.P[1] - 1), 2e-5);
  EXPECT_LT(std::abs(window.P[1] - table.P[1]), outcome.spread.entrancePressure);
  EXPECT_LT(std::abs(window.Uniformity - table.Uniformity), outcome.spread.uniformity);
}

TEST(RobustVerdicts, NoPhysicalSolutionSaysWhichSideAndWhere) {
  struct Expected {
    const cases::CaseParameters& parameters;
    MissingBranch reason;
    int station;
  };
  for (const Expected& expected : {Expected{kPressureRunsOut, MissingBranch::NegativeOutflow, 50},
                                   Expected{kEmptiesEarly, MissingBranch::EmptyCavity, 48}}) {
    SCOPED_TRACE(MissingBranchText(expected.reason));
    cases::StationTable table;
    table.Uniformity = 0.75;
    solver::SolverState state;
    const RobustOutcome outcome = SolveDieFlowRobust(expected.parameters, table, state);
    EXPECT_EQ(outcome.verdict, RobustVerdict::NoPhysicalSolution);
    EXPECT_EQ(outcome.reason, expected.reason);
    EXPECT_EQ(outcome.stations, std::vector<int>{expected.station});
    EXPECT_LT(outcome.sweeps, kRobustSweepBudget);
    // Nothing that only a root computes.
    EXPECT_EQ(table.Uniformity, 0.75);
  }
}

TEST(RobustVerdicts, PhysicalCheckFlagsTheWindowsNegativePressuresAndTheRobustRootIsPhysical) {
  cases::StationTable window;
  solver::SolverState windowState;
  ASSERT_TRUE(SolveDieFlow(kNegativePressures, window, windowState).converged);
  EXPECT_EQ(UnphysicalStationsWarning(FindUnphysicalStations(window)),
            "Warning: cavity pressure P <= 0 at stations 35-50; slot flow DelQ <= 0 at stations "
            "34-36");
  EXPECT_LT(window.Uniformity, 0.0);

  cases::StationTable table;
  solver::SolverState state;
  const RobustOutcome outcome = SolveDieFlowRobust(kNegativePressures, table, state);
  EXPECT_EQ(outcome.verdict, RobustVerdict::Converged) << DescribeOutcome(outcome);
  EXPECT_TRUE(FindUnphysicalStations(table).empty());
  EXPECT_GT(table.Uniformity, 0.0);
  EXPECT_GT(table.P[1], window.P[1]);
}

// The window stops at a miss of 1e-6·Qin with the rheology of the sweep before; carried
// on, its iteration reaches the robust root.
TEST(RobustVerdicts, WindowAnswerOffByItsLagApproachesTheRobustRootWhenCarriedOn) {
  cases::StationTable window;
  solver::SolverState windowState;
  ASSERT_TRUE(SolveDieFlow(kWindowLags, window, windowState).converged);
  ASSERT_TRUE(FindUnphysicalStations(window).empty());
  cases::StationTable table;
  solver::SolverState state;
  ASSERT_EQ(SolveDieFlowRobust(kWindowLags, table, state).verdict, RobustVerdict::Converged);
  const double windowOffset = std::abs(window.Uniformity / table.Uniformity - 1);
  EXPECT_GT(windowOffset, 2e-5);

  cases::StationTable continued;
  solver::SolverState continuedState;
  ASSERT_TRUE(testing::SolveDieFlowContinued(kWindowLags, continued, continuedState));
  EXPECT_LT(std::abs(continued.Uniformity / table.Uniformity - 1), 1e-9);
  EXPECT_LT(std::abs(continued.P[1] / table.P[1] - 1), 1e-9);
}

}  // namespace
}  // namespace fluxeta::solver
