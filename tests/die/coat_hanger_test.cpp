// The uniform coat-hanger design: the closed-form radius of a power-law liquid, the land
// that follows it, and the even flow it gives when solved.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "die_test_documents.h"
#include "fluxeta/solver/coat_hanger_design.h"
#include "fluxeta/solver/die_solve.h"

namespace fluxeta::solver {
namespace {

constexpr double kGap = 0.05, kWidth = 50, kFlow = 10;

liquids::Liquid PowerLaw(double n) {
  return liquids::Liquid(liquids::PowerLaw{10.0, n});
}

// R³ = (3n + 1)·H²·ξ / (2π(2n + 1)), whatever the consistency and the flow.
double PowerLawRadius(double n, double xi) {
  return std::cbrt((3 * n + 1) * kGap * kGap * xi / (2 * std::numbers::pi * (2 * n + 1)));
}

TEST(UniformCoatHanger, RadiusIsThePowerLawsClosedFormAboveTheLeastRadius) {
  const double minRadius = 1.5 * kGap;
  for (const auto& [n, farRadius] : std::initializer_list<std::pair<double, double>>{
           {1.0, 0.2982}, {0.5, 0.2919}, {0.3, 0.2869}}) {
    const UniformCoatHanger die(PowerLaw(n), kFlow / kWidth, kGap, kWidth, 4.0, minRadius);
    EXPECT_EQ(std::round(die.Radius(kWidth) * 1e4) / 1e4, farRadius) << "n " << n;
    for (const double xi : {0.5, 2.0, 10.0, 33.3, 50.0}) {
      const double exact = PowerLawRadius(n, xi);
      if (exact > minRadius) {
        EXPECT_NEAR(die.Radius(xi) / exact, 1, 1e-9) << "n " << n << " at " << xi;
      } else {
        EXPECT_EQ(die.Radius(xi), minRadius);
      }
    }
    // The same for ten times the flow and another consistency.
    const UniformCoatHanger faster(liquids::Liquid(liquids::PowerLaw{3.0, n}), 10 * kFlow / kWidth,
                                   kGap, kWidth, 4.0, minRadius);
    EXPECT_NEAR(faster.Radius(kWidth) / die.Radius(kWidth), 1, 1e-12);
  }
}

TEST(UniformCoatHanger, LandFollowsItsSlopeFromTheClosedEnd) {
  const UniformCoatHanger die(PowerLaw(0.5), kFlow / kWidth, kGap, kWidth, 4.0, 1.5 * kGap);
  EXPECT_EQ(die.LandLength(0), 4.0);
  EXPECT_GT(die.HeldRadiusLength(), 0);
  // dL/dξ = (R²/H² − 1)^(−1/2) where the radius follows the formula.
  const double xi = 30, step = 1e-3;
  const double slope = (die.LandLength(xi + step) - die.LandLength(xi - step)) / (2 * step);
  const double ratio = die.Radius(xi) / kGap;
  EXPECT_NEAR(slope * std::sqrt(ratio * ratio - 1), 1, 1e-6);
  EXPECT_NEAR(die.LandSlope(xi) * std::sqrt(ratio * ratio - 1), 1, 1e-15);
  // Continuous where the radius leaves its least value.
  const double held = die.HeldRadiusLength();
  EXPECT_NEAR(die.LandLength(held * (1 + 1e-12)), die.LandLength(held * (1 - 1e-12)), 1e-9);
  // The slot's wall stress holds at τ along the held part: sin of the slope = (H/R)(τm/τ).
  const double near = held / 2;
  const liquids::Liquid liquid = PowerLaw(0.5);
  const double tm = liquid.PipeWallStress(kFlow / kWidth * near, 1.5 * kGap);
  const double sine =
      die.LandSlope(near) / std::sqrt(1 + die.LandSlope(near) * die.LandSlope(near));
  EXPECT_NEAR(sine, kGap / (1.5 * kGap) * tm / die.SlotWallStress(), 1e-15);
  const double heldStep = held * 1e-4;
  const double heldSlope =
      (die.LandLength(near + heldStep) - die.LandLength(near - heldStep)) / (2 * heldStep);
  EXPECT_NEAR(heldSlope / die.LandSlope(near), 1, 1e-7);
}

TEST(UniformCoatHanger, SolvedWithoutInertiaPassesTheFlowEvenly) {
  for (const double n : {1.0, 0.5, 0.3}) {
    const DieSolution solution = testing::Solved(testing::UniformCoatHangerDie(n, 1.5 * kGap, 4.0));
    ASSERT_TRUE(solution.converged()) << DescribeDieOutcome(solution);
    EXPECT_GE(solution.uniformity, 0.999) << "n " << n;
    RecordProperty("uniformity_n" + std::to_string(n), std::to_string(solution.uniformity));
  }
}

}  // namespace
}  // namespace fluxeta::solver
