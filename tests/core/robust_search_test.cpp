#include "robust_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../support/expect_fault.h"
#include "fluxeta/solver/physical_check.h"
#include "robust_test_support.h"
#include "solve_die_flow.h"

namespace fluxeta::solver {
namespace {

using testing::DefaultCase;
using testing::DefaultCaseWith;

// Full precision of the fixed point: the window's iteration carried on to the rounding
// level agrees with the robust root to far better than the window's own tolerance.
constexpr double kFixedPointAgreement = 1e-9;

void ExpectRelativelyNear(double actual, double expected, double relative) {
  EXPECT_LE(std::abs(actual - expected), relative * std::abs(expected))
      << "actual " << actual << ", expected " << expected;
}

// The robust answer is the window's fixed point: its P_1, its uniformity, and a table that
// a converged window solve would leave.
void ExpectWindowFixedPoint(const cases::CaseParameters& parameters) {
  cases::StationTable continued;
  solver::SolverState windowState;
  ASSERT_TRUE(testing::SolveDieFlowContinued(parameters, continued, windowState));

  cases::StationTable table;
  solver::SolverState state;
  const RobustOutcome outcome = SolveDieFlowRobust(parameters, table, state);
  ASSERT_EQ(outcome.verdict, RobustVerdict::Converged) << DescribeOutcome(outcome);
  EXPECT_TRUE(outcome.stations.empty());
  EXPECT_EQ(state.InitialEntrancePressure, windowState.InitialEntrancePressure);

  ExpectRelativelyNear(table.P[1], continued.P[1], kFixedPointAgreement);
  ExpectRelativelyNear(table.Uniformity, continued.Uniformity, kFixedPointAgreement);
  ExpectRelativelyNear(table.DelQRms, continued.DelQRms, kFixedPointAgreement);
  EXPECT_LE(std::abs(table.Q[cases::kFarEnd]), kRobustRootTolerance * parameters.Qin);
  EXPECT_EQ(table.Q[1], parameters.Qin);
  for (int i = 1; i <= cases::StationCount; ++i) {
    SCOPED_TRACE(i);
    ExpectRelativelyNear(table.P[i], continued.P[i], kFixedPointAgreement);
    ExpectRelativelyNear(table.DelQ[i], continued.DelQ[i], kFixedPointAgreement);
    ExpectRelativelyNear(table.RTime[i], continued.RTime[i], kFixedPointAgreement);
    EXPECT_EQ(table.SlotNewtonian[i], continued.SlotNewtonian[i]);
    EXPECT_EQ(table.N_S[i], continued.N_S[i]);
  }
}

TEST(RobustSearch, DefaultCaseIsTheWindowSearchCarriedToFullPrecision) {
  ExpectWindowFixedPoint(DefaultCase());
}

TEST(RobustSearch, FullyTaperedCavityIsTheWindowSearchCarriedToFullPrecision) {
  ExpectWindowFixedPoint(DefaultCaseWith([](cases::CaseParameters& p) { p.gamma = 1.0; }));
}

TEST(RobustSearch, DefaultCaseAgreesWithTheWindowWithinItsTolerance) {
  const cases::CaseParameters parameters = DefaultCase();
  cases::StationTable window;
  solver::SolverState windowState;
  ASSERT_TRUE(SolveDieFlow(parameters, window, windowState).converged);
  cases::StationTable table;
  solver::SolverState state;
  const RobustOutcome outcome = SolveDieFlowRobust(parameters, table, state);

  EXPECT_EQ(outcome.verdict, RobustVerdict::Converged);
  EXPECT_LE(outcome.sweeps, 8);
  EXPECT_NEAR(table.P[1], 173421.76, 0.05);
  EXPECT_NEAR(table.Uniformity, 0.91156, 5e-6);
  ExpectRelativelyNear(table.P[1], window.P[1], 2e-5);
  ExpectRelativelyNear(table.Uniformity, window.Uniformity, 2e-5);
}

// The table holds one sweep from the root and the rheology update that follows it: every
// value can be recomputed from the flows.
TEST(RobustSearch, TableIsTheSweepFromTheRootAndItsUpdate) {
  const cases::CaseParameters parameters =
      DefaultCaseWith([](cases::CaseParameters& p) { p.gamma = 1.0; });
  cases::StationTable table;
  solver::SolverState state;
  ASSERT_EQ(SolveDieFlowRobust(parameters, table, state).verdict, RobustVerdict::Converged);

  cases::StationTable again = table;
  solver::SolverState againState = state;
  SweepDieWidth(parameters, again, againState);
  UpdateStationRheology(parameters, again, againState);
  ComputeDistributionResults(parameters, again);
  for (const auto column :
       {&cases::StationTable::P, &cases::StationTable::Q, &cases::StationTable::DelQ,
        &cases::StationTable::Q_DIFF, &cases::StationTable::APP_SR_C, &cases::StationTable::SR_S,
        &cases::StationTable::APP_VIS_C, &cases::StationTable::VIS_S, &cases::StationTable::N_S,
        &cases::StationTable::RTime}) {
    EXPECT_EQ(table.*column, again.*column);
  }
  EXPECT_EQ(table.SlotNewtonian, again.SlotNewtonian);
  EXPECT_EQ(table.Uniformity, again.Uniformity);
  EXPECT_EQ(table.DelQ[cases::StationCount], table.Q[cases::StationCount]);
  EXPECT_TRUE(FindUnphysicalStations(table).empty());
}

TEST(RobustSearch, TwoSolvesOfOneCaseGiveTheSameAnswerWhateverTheTableHeld) {
  const cases::CaseParameters parameters = DefaultCase();
  cases::StationTable first;
  solver::SolverState state;
  const RobustOutcome firstOutcome = SolveDieFlowRobust(parameters, first, state);

  cases::StationTable second;
  SolveDieFlowRobust(DefaultCaseWith([](cases::CaseParameters& p) { p.H = 0.08; }), second, state);
  const RobustOutcome secondOutcome = SolveDieFlowRobust(parameters, second, state);
  EXPECT_EQ(firstOutcome.sweeps, secondOutcome.sweeps);
  EXPECT_EQ(first.P, second.P);
  EXPECT_EQ(first.Q, second.Q);
  EXPECT_EQ(first.SlotNewtonian, second.SlotNewtonian);
  EXPECT_EQ(first.Uniformity, second.Uniformity);
}

// Without a feed the first guess is zero, and no step in ln P_1 can leave it.
TEST(RobustSearch, NoFeedFaultsAtTheLogarithmOfTheFirstGuess) {
  const cases::CaseParameters parameters =
      DefaultCaseWith([](cases::CaseParameters& p) { p.Qin = 0.0; });
  cases::StationTable table;
  solver::SolverState state;
  fluxeta::testing::ExpectFault([&] { SolveDieFlowRobust(parameters, table, state); },
                                base::FloatingPointFault::DivisionByZero,
                                "0 による浮動小数点数除算");
  EXPECT_EQ(state.InitialEntrancePressure, 0.0);
}

TEST(RobustOutcomeText, CodesAndDescriptionsName) {
  EXPECT_EQ(VerdictCode(RobustVerdict::Converged), "converged");
  EXPECT_EQ(VerdictCode(RobustVerdict::RegimeGap), "regime_gap");
  EXPECT_EQ(VerdictCode(RobustVerdict::NoPhysicalSolution), "no_physical_solution");
  EXPECT_EQ(VerdictCode(RobustVerdict::NotConverged), "not_converged");
  EXPECT_EQ(MissingBranchText(MissingBranch::NegativeOutflow), "negative outflow");
  EXPECT_EQ(MissingBranchText(MissingBranch::EmptyCavity), "empty cavity before the far end");

  RobustOutcome gap;
  gap.verdict = RobustVerdict::RegimeGap;
  gap.stations = {1, 35, 36, 37};
  EXPECT_EQ(DescribeOutcome(gap), "regime_gap: stations 1, 35-37");
  RobustOutcome none;
  none.verdict = RobustVerdict::NoPhysicalSolution;
  none.reason = MissingBranch::EmptyCavity;
  none.stations = {49};
  EXPECT_EQ(DescribeOutcome(none),
            "no_physical_solution: empty cavity before the far end at station 49");
  RobustOutcome converged;
  converged.verdict = RobustVerdict::Converged;
  EXPECT_EQ(DescribeOutcome(converged), "converged");
}

}  // namespace
}  // namespace fluxeta::solver
