#include "entrance_pressure_search.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../support/expect_fault.h"
#include "solve_die_flow.h"
#include "solver_test_cases.h"

namespace fluxeta::solver {
namespace {

using testing::DefaultCase;
using testing::DefaultCaseWith;
using testing::SweepRecorder;

struct PathPoint {
  double entrancePressure;  // Pa
  double pressureTolerance;
  double miss;  // cm3/s
  double missTolerance;
};

TEST(EntrancePressureSearch, DefaultCaseConvergesInFiveSweepsAlongThePublishedPath) {
  const cases::CaseParameters parameters = DefaultCase();
  cases::StationTable table;
  solver::SolverState state;
  SweepRecorder recorder;
  const SolveOutcome outcome = SolveDieFlow(parameters, table, state, &recorder);

  EXPECT_TRUE(outcome.converged);
  EXPECT_EQ(outcome.sweeps, 5);
  EXPECT_NEAR(state.InitialEntrancePressure, 161081.05, 0.005);
  const PathPoint path[] = {
      {161081.05, 0.005, 4.70086, 5e-6},       {177189.15, 0.005, -1.50848, 5e-6},
      {173275.88, 0.005, 0.0577175, 5e-8},     {173420.09, 0.005, 0.000658319, 5e-10},
      {173421.74, 0.005, 0.0000075023, 5e-11},
  };
  ASSERT_EQ(recorder.reports.size(), 5U);
  for (int sweep = 1; sweep <= 5; ++sweep) {
    SCOPED_TRACE(sweep);
    const SweepReport& report = recorder.reports[sweep - 1];
    EXPECT_EQ(report.sweep, sweep);
    EXPECT_EQ(report.stage, 1);
    EXPECT_NEAR(report.entrancePressure, path[sweep - 1].entrancePressure,
                path[sweep - 1].pressureTolerance);
    EXPECT_NEAR(report.miss, path[sweep - 1].miss, path[sweep - 1].missTolerance);
  }
  // The second sweep stepped up by exactly a tenth of the first guess.
  EXPECT_EQ(recorder.reports[1].entrancePressure, 1.1 * state.InitialEntrancePressure);
  // P_1 is the estimate made after the last sweep, not the pressure it started from.
  EXPECT_NEAR(table.P[1], 173421.76, 0.005);
  EXPECT_NE(table.P[1], recorder.reports[4].entrancePressure);
  EXPECT_NEAR(table.P[1] / 1e6, 0.1734, 5e-5);
  EXPECT_EQ(table.Q[1], 33.0);
  EXPECT_EQ(table.Q[cases::kFarEnd], recorder.reports[4].miss);
}

TEST(EntrancePressureSearch, FullyTaperedCavityConvergesOnlyInTheLastStage) {
  const cases::CaseParameters parameters =
      DefaultCaseWith([](cases::CaseParameters& p) { p.gamma = 1.0; });
  cases::StationTable table;
  solver::SolverState state;
  SweepRecorder recorder;
  const SolveOutcome outcome = SolveDieFlow(parameters, table, state, &recorder);

  EXPECT_TRUE(outcome.converged);
  EXPECT_EQ(outcome.sweeps, 44);
  EXPECT_EQ(recorder.reports.back().stage, 5);
  EXPECT_NEAR(table.P[1], 177972, 0.5);
  EXPECT_NEAR(table.Uniformity, 0.95842, 5e-6);

  // Each stage starts without a bracket: the first miss of stages 2 … 5 moves P_1 by a
  // fixed step of the new size.
  const double firstGuess = state.InitialEntrancePressure;
  for (const int sweep : {10, 20, 30, 40}) {
    SCOPED_TRACE(sweep);
    const SweepReport& changing = recorder.reports[sweep - 1];
    const double step = firstGuess * (sweep == 10   ? 0.01
                                      : sweep == 20 ? 0.001
                                      : sweep == 30 ? 0.0001
                                                    : 0.00001);
    const double expected = changing.entrancePressure + (changing.miss > 0 ? step : -step);
    EXPECT_DOUBLE_EQ(recorder.reports[sweep].entrancePressure, expected);
    EXPECT_EQ(changing.stage, sweep / 10 + 1);
  }
}

TEST(EntrancePressureSearch, NoFeedFailsAfterFiftySweepsAndKeepsTheConvergedResults) {
  const cases::CaseParameters parameters =
      DefaultCaseWith([](cases::CaseParameters& p) { p.Qin = 0.0; });
  cases::StationTable table;
  table.Q_DIFF.fill(-3.0);
  table.RTime.fill(7.0);
  table.DelQRms = 0.25;
  table.Uniformity = 0.75;
  solver::SolverState state;
  SweepRecorder recorder;
  const SolveOutcome outcome = SolveDieFlow(parameters, table, state, &recorder);

  EXPECT_FALSE(outcome.converged);
  EXPECT_EQ(outcome.sweeps, 50);
  ASSERT_EQ(recorder.reports.size(), 50U);
  EXPECT_EQ(recorder.reports.back().stage, 6);
  for (const SweepReport& report : recorder.reports) {
    EXPECT_EQ(report.miss, 0.0);
    EXPECT_EQ(report.entrancePressure, 0.0);
  }
  EXPECT_EQ(state.InitialEntrancePressure, 0.0);
  for (int i = 1; i <= cases::StationCount; ++i) {
    EXPECT_EQ(table.Q_DIFF[i], -3.0);
    EXPECT_EQ(table.RTime[i], 7.0);
    EXPECT_TRUE(table.SlotNewtonian[i]);
  }
  EXPECT_EQ(table.DelQRms, 0.25);
  EXPECT_EQ(table.Uniformity, 0.75);
}

TEST(EntrancePressureSearch, FailedSearchLeavesTheLastSweepInTheTable) {
  // A narrow cavity needs an entrance pressure beyond the reach of the fixed steps.
  const cases::CaseParameters parameters = DefaultCaseWith([](cases::CaseParameters& p) {
    p.Ain = 0.15;
    p.Pein = 6.14 * std::sqrt(0.05);
  });
  cases::StationTable table;
  table.RTime.fill(7.0);
  table.Uniformity = 0.75;
  solver::SolverState state;
  SweepRecorder recorder;
  const SolveOutcome outcome = SolveDieFlow(parameters, table, state, &recorder);

  ASSERT_FALSE(outcome.converged);
  ASSERT_EQ(recorder.reports.size(), 50U);
  const SweepReport& last = recorder.reports.back();
  EXPECT_EQ(table.P[1], last.entrancePressure);
  EXPECT_EQ(table.Q[cases::kFarEnd], last.miss);
  EXPECT_GT(std::abs(last.miss), 1.0);
  // The rheology update after the 50th sweep has run.
  for (int i = 1; i < cases::StationCount; ++i) {
    EXPECT_EQ(table.DelQ[i], table.Q[i] - table.Q[i + 1]) << "station " << i;
  }
  EXPECT_EQ(table.DelQ[50], table.Q[50]);
  EXPECT_EQ(table.RTime[1], 7.0);
  EXPECT_EQ(table.Uniformity, 0.75);
}

TEST(EntrancePressureSearch, WideSlotOverflowsInTheFirstSweep) {
  const cases::CaseParameters parameters =
      DefaultCaseWith([](cases::CaseParameters& p) { p.H = 0.5; });
  cases::StationTable table;
  solver::SolverState state;
  SweepRecorder recorder;
  fluxeta::testing::ExpectFault([&] { SolveDieFlow(parameters, table, state, &recorder); },
                                base::FloatingPointFault::Overflow, "浮動小数点数のオーバーフロー");
  EXPECT_TRUE(recorder.reports.empty());
}

TEST(SolveDieFlow, TwoSolvesOfOneCaseGiveTheSameTable) {
  const cases::CaseParameters parameters = DefaultCase();
  cases::StationTable first;
  solver::SolverState state;
  SolveDieFlow(parameters, first, state);

  // A table that held another case first.
  cases::StationTable second;
  SolveDieFlow(DefaultCaseWith([](cases::CaseParameters& p) { p.gamma = 1.0; }), second, state);
  SolveDieFlow(parameters, second, state);
  SolveDieFlow(parameters, first, state);

  for (const auto column :
       {&cases::StationTable::P, &cases::StationTable::Q, &cases::StationTable::DelQ,
        &cases::StationTable::Q_DIFF, &cases::StationTable::APP_SR_C, &cases::StationTable::SR_S,
        &cases::StationTable::APP_VIS_C, &cases::StationTable::VIS_S, &cases::StationTable::N_S,
        &cases::StationTable::RTime, &cases::StationTable::A, &cases::StationTable::L,
        &cases::StationTable::Dh}) {
    EXPECT_EQ(first.*column, second.*column);
  }
  EXPECT_EQ(first.SlotNewtonian, second.SlotNewtonian);
  EXPECT_EQ(first.DelQRms, second.DelQRms);
  EXPECT_EQ(first.Uniformity, second.Uniformity);
}

}  // namespace
}  // namespace fluxeta::solver
