#include "distribution_results.h"

#include <gtest/gtest.h>

#include <cmath>

#include "solve_die_flow.h"
#include "solver_test_cases.h"

namespace fluxeta::solver {
namespace {

using testing::DefaultCase;

// A converged-looking table: Q falls by each slot flow from Qin at station 1.
cases::StationTable TableWithSlotFlows(double (*slotFlow)(int station)) {
  cases::StationTable table;
  table.Q[1] = 33.0;
  for (int i = 1; i <= cases::StationCount; ++i) {
    table.DelQ[i] = slotFlow(i);
    table.Q[i + 1] = table.Q[i] - table.DelQ[i];
    table.A[i] = 3.0;
    table.H[i] = 0.0254;
    table.L[i] = 3.0;
  }
  return table;
}

TEST(RmsDeviation, IsThePopulationFormOverElementsOneToCount) {
  cases::StationValues values{};
  values[0] = 1000.0;  // never read
  values[1] = 1.0;
  values[2] = 3.0;
  EXPECT_DOUBLE_EQ(RmsDeviation(2, values, 2.0), 1.0);
  for (int i = 1; i <= 50; ++i) {
    values[i] = i % 2 == 1 ? 1.0 : 0.0;
  }
  values[51] = 1000.0;  // beyond the count
  EXPECT_DOUBLE_EQ(RmsDeviation(50, values, 0.0), std::sqrt(25.0 / 50.0));
}

TEST(ComputeDistributionResults, EvenFlowsGiveUniformityOne) {
  cases::StationTable table = TableWithSlotFlows([](int) { return 0.66; });
  ComputeDistributionResults(DefaultCase(), table);
  for (int i = 1; i <= cases::StationCount; ++i) {
    EXPECT_NEAR(table.Q_DIFF[i], 0.0, 1e-12) << "station " << i;
  }
  EXPECT_NEAR(table.DelQRms, 0.0, 1e-15);
  EXPECT_NEAR(table.Uniformity, 1.0, 1e-14);
}

TEST(ComputeDistributionResults, AlternatingFlowsDeviateByANinthOfTheEvenShare) {
  cases::StationTable table =
      TableWithSlotFlows([](int station) { return station % 2 == 1 ? 0.6 : 0.72; });
  ComputeDistributionResults(DefaultCase(), table);
  EXPECT_NEAR(table.Q_DIFF[1], -9.0909090909, 1e-9);
  EXPECT_NEAR(table.Q_DIFF[2], 9.0909090909, 1e-9);
  EXPECT_NEAR(table.Q_DIFF[50], 9.0909090909, 1e-9);
  EXPECT_NEAR(table.DelQRms, 0.06, 1e-14);
  EXPECT_NEAR(table.Uniformity, 0.9090909090909, 1e-12);
}

TEST(ComputeDistributionResults, ResidenceTimeCountsHalfOfTheOwnIntervalAndTheSlot) {
  cases::StationTable table = TableWithSlotFlows([](int) { return 0.66; });
  ComputeDistributionResults(DefaultCase(), table);
  const double firstIntervalTime = 0.1200034435;  // s
  EXPECT_NEAR(table.RTime[1], 0.2124017217, 1e-10);
  EXPECT_NEAR(table.RTime[1], firstIntervalTime / 2 + 0.1524, 1e-10);
  for (int i = 2; i <= cases::StationCount; ++i) {
    EXPECT_GT(table.RTime[i], table.RTime[i - 1]) << "station " << i;
  }
}

TEST(ComputeDistributionResults, DefaultCase) {
  cases::StationTable table;
  solver::SolverState state;
  ASSERT_TRUE(SolveDieFlow(DefaultCase(), table, state).converged);

  double total = 0;
  for (int i = 1; i <= cases::StationCount; ++i) {
    total += table.DelQ[i];
  }
  EXPECT_NEAR(total / 50, 0.66, 1e-12);
  EXPECT_NEAR(table.Q_DIFF[1], -13.153, 5e-4);
  EXPECT_NEAR(table.Q_DIFF[50], 17.136, 5e-4);
  EXPECT_NEAR(table.RTime[1], 0.23548, 5e-6);
  EXPECT_NEAR(table.RTime[50], 17.779, 5e-4);
  EXPECT_NEAR(table.DelQRms, 0.058369, 5e-7);
  EXPECT_NEAR(table.Uniformity, 0.91156, 5e-6);
}

TEST(SolvedDefaultCase, RowsOneTwentyFiveAndFifty) {
  const cases::CaseParameters parameters = DefaultCase();
  cases::StationTable table;
  solver::SolverState state;
  ASSERT_TRUE(SolveDieFlow(parameters, table, state).converged);

  EXPECT_NEAR(table.DelQ[1], 0.5732, 5e-5);
  EXPECT_NEAR(table.APP_SR_C[1], 45.03, 5e-3);
  EXPECT_NEAR(table.SR_S[1], 5.38e3, 5);
  EXPECT_NEAR(table.VIS_S[1], 0.1363, 5e-5);

  EXPECT_NEAR(table.DelQ[25], 0.6512, 5e-5);
  EXPECT_NEAR(table.SR_S[25], 6.12e3, 5);
  EXPECT_NEAR(table.VIS_S[25], 0.1279, 5e-5);

  EXPECT_EQ(table.DelQ[50], table.Q[50]);
  EXPECT_NEAR(table.Q[50], 0.7731, 5e-5);
  EXPECT_NEAR(table.SR_S[50], 7.26e3, 5);
  EXPECT_NEAR(table.VIS_S[50], 0.1173, 5e-5);

  for (int i = 1; i <= cases::StationCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(table.N_S[i], 0.5);
    EXPECT_FALSE(table.SlotNewtonian[i]);
    EXPECT_EQ(table.APP_VIS_C[i], parameters.etaCr);
    EXPECT_DOUBLE_EQ(table.VIS_S[i], 10.0 / std::sqrt(table.SR_S[i]));
  }
  EXPECT_LT(std::abs(table.Q[cases::kFarEnd]), 1e-6 * 33.0);
}

}  // namespace
}  // namespace fluxeta::solver
