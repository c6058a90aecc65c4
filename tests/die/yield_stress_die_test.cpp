// A Bingham liquid in a T-die whose manifold is narrow for its yield stress: at a low flow
// the slot passes nothing beyond a station, which the answer names; at a higher flow the
// pressure stays above the slot's yield pressure to the closed end.
#include <gtest/gtest.h>

#include "die_test_documents.h"

namespace fluxeta::solver {
namespace {

using testing::json;

constexpr double kYieldStress = 500;  // Pa

json BinghamTDie(double flowRate) {
  json die = testing::NewtonianTDie(0.2);
  die["stations"] = 20;
  die["flow_rate"] = flowRate;
  die["fluid"] = {{"model", "bingham"}, {"tau_y", kYieldStress}, {"K", 1.0}};
  return die;
}

TEST(YieldStressDie, NamesTheStationFromWhichTheSlotPassesNothing) {
  const DieSolution solution = testing::Solved(BinghamTDie(10));
  EXPECT_EQ(DescribeDieOutcome(solution),
            "no_physical_solution: the manifold runs empty at 40.64 cm from the feed (station 17), "
            "before the closed end");
  // Up to there the slot's wall stress exceeds the yield stress and the slot passes liquid.
  for (int i = 0; i + 1 < solution.shortfallStation; ++i) {
    EXPECT_GT(solution.table.TAU_S[i], kYieldStress) << i;
    EXPECT_GT(solution.table.DelQ[i], 0) << i;
  }
}

TEST(YieldStressDie, AtTwiceTheFlowEveryStationPassesLiquid) {
  const DieSolution solution = testing::Solved(BinghamTDie(20));
  ASSERT_TRUE(solution.converged()) << DescribeDieOutcome(solution);
  for (int i = 0; i < solution.stations; ++i) {
    EXPECT_GT(solution.table.TAU_S[i], kYieldStress) << i;
    EXPECT_GT(solution.table.DelQ[i], 0) << i;
  }
  EXPECT_GT(solution.flowRatio, 0);
}

}  // namespace
}  // namespace fluxeta::solver
