// The shear rates a solved die shows on a flow curve.
#include <limits>

#include <gtest/gtest.h>

#include "die_test_documents.h"
#include "fluxeta/solver/die_shear_rates.h"

namespace fluxeta::solver::testing {
namespace {

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();

TEST(DieShearRates, SpanTheTDieFromItsFeedToItsClosedEnd) {
  // The manifold's flow and the slot's falls from the feed on: both shear hardest there.
  const DieSolution solution = Solved(NewtonianTDie(0.5));
  ASSERT_TRUE(solution.converged());
  const DieShearRates rates = SeenShearRates(solution);
  ASSERT_TRUE(rates.manifold && rates.slot);
  EXPECT_EQ(rates.manifold->highest, solution.table.APP_SR_C.front());
  EXPECT_EQ(rates.manifold->lowest, solution.table.APP_SR_C.back());
  EXPECT_EQ(rates.slot->highest, solution.table.SR_S.front());
  EXPECT_EQ(rates.slot->lowest, solution.table.SR_S.back());
  EXPECT_LT(rates.slot->lowest, rates.slot->highest);
}

TEST(DieShearRates, LeaveOutStationsWithoutFlowOrValue) {
  DieSolution solution;
  // A liquid standing still in the slot's far part, and stations beyond where it ran out.
  solution.table.APP_SR_C = {kNotANumber, 40, 12, 30, kNotANumber};
  solution.table.SR_S = {0, 250, 0, 90, kNotANumber};
  const DieShearRates rates = SeenShearRates(solution);
  ASSERT_TRUE(rates.manifold && rates.slot);
  EXPECT_EQ(rates.manifold->lowest, 12);
  EXPECT_EQ(rates.manifold->highest, 40);
  EXPECT_EQ(rates.slot->lowest, 90);
  EXPECT_EQ(rates.slot->highest, 250);

  solution.table.SR_S = {0, 0, kNotANumber};
  EXPECT_FALSE(SeenShearRates(solution).slot);
  EXPECT_FALSE(SeenShearRates(DieSolution{}).manifold);
}

}  // namespace
}  // namespace fluxeta::solver::testing
