#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "fluxeta/liquids/liquid.h"

namespace fluxeta::liquids {
namespace {

TEST(LiquidFlows, NewtonianSlitAndPipeFlowsAreThePlaneAndHagenPoiseuilleLaws) {
  const Liquid oil(Newtonian{2.0});
  const double gap = 0.05, land = 5.0, pressure = 1e5;
  const double slotStress = gap / 2 * pressure / land;
  EXPECT_DOUBLE_EQ(oil.SlotFlowPerWidth(slotStress, gap),
                   gap * gap * gap * pressure / (12 * 2.0 * land));
  const double radius = 1.0;
  const double pipeStress = radius / 2 * pressure / land;
  EXPECT_DOUBLE_EQ(oil.PipeFlow(pipeStress, radius),
                   std::numbers::pi * std::pow(radius, 4) * pressure / (8 * 2.0 * land));
  EXPECT_DOUBLE_EQ(oil.SlotFlowPerWidth(-slotStress, gap), -oil.SlotFlowPerWidth(slotStress, gap));
  EXPECT_EQ(oil.SlotFlowPerWidth(0, gap), 0);
}

TEST(LiquidFlows, PowerLawFlowsFollowTheWallShearRateRelations) {
  const PowerLaw curve{5.0, 0.4};
  const Liquid slurry(curve);
  const double gap = 0.05, tau = 800.0;
  const double wallShearRate = curve.ShearRate(tau);
  EXPECT_NEAR(slurry.SlotFlowPerWidth(tau, gap) / (0.4 * gap * gap * wallShearRate / (2 * 1.8)),
              1.0, 1e-15);
  EXPECT_NEAR(slurry.PipeFlow(tau, 1.0) / (std::numbers::pi * 0.4 * wallShearRate / 2.2), 1.0,
              1e-15);
}

TEST(LiquidFlows, TheWindowsLiquidIsContinuousAtItsCriticalStress) {
  const WindowLiquid curve(10.0, 1.0, 0.5, 50.0);
  const Liquid liquid(curve);
  EXPECT_DOUBLE_EQ(curve.criticalViscosity, 10.0 * std::pow(50.0, -0.5));
  const double below = std::nextafter(curve.criticalStress, 0.0);
  const double above = std::nextafter(curve.criticalStress, 1e300);
  EXPECT_NEAR(liquid.SlotFlowPerWidth(above, 0.03) / liquid.SlotFlowPerWidth(below, 0.03), 1.0,
              1e-14);
  EXPECT_NEAR(liquid.PipeFlow(above, 1.0) / liquid.PipeFlow(below, 1.0), 1.0, 1e-14);
  // Far above the critical stress the liquid is the power law alone.
  const Liquid powerLaw(curve.powerLaw);
  EXPECT_NEAR(liquid.SlotFlowPerWidth(1e9, 0.03) / powerLaw.SlotFlowPerWidth(1e9, 0.03), 1.0, 1e-9);
}

TEST(LiquidFlows, WallStressesInvertTheFlows) {
  for (const Liquid& liquid : {Liquid(Newtonian{0.5}), Liquid(PowerLaw{3.0, 0.3}),
                               Liquid(WindowLiquid(10.0, 1.0, 0.5, 50.0))}) {
    for (double q : {1e-6, 0.01, 0.2, 30.0}) {
      const double tau = liquid.SlotWallStress(q, 0.05);
      EXPECT_NEAR(liquid.SlotFlowPerWidth(tau, 0.05) / q, 1.0, 1e-13) << q;
      const double pipeTau = liquid.PipeWallStress(-q, 0.8);
      EXPECT_NEAR(liquid.PipeFlow(pipeTau, 0.8) / -q, 1.0, 1e-13) << q;
    }
  }
}

TEST(LiquidFlows, AShiftedLiquidFlowsAsTheShiftFactorSays) {
  const Liquid oil = Liquid(Newtonian{1.0}).Shifted(3.0);
  EXPECT_DOUBLE_EQ(oil.Viscosity(10.0), 3.0);
  EXPECT_DOUBLE_EQ(oil.SlotFlowPerWidth(100.0, 0.05),
                   Liquid(Newtonian{3.0}).SlotFlowPerWidth(100.0, 0.05));
}

}  // namespace
}  // namespace fluxeta::liquids
