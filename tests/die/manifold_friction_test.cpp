// The manifold's friction: a circular manifold's gradient is the liquid's exact pipe flow,
// whatever the liquid; the apparent-shear-rate rule is that flow for a constant index.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "die_test_documents.h"
#include "fluxeta/liquids/liquid.h"
#include "manifold_friction.h"

namespace fluxeta::solver {
namespace {

using liquids::Liquid;
using testing::json;
using testing::NewtonianTDie;
using testing::Solved;

DieStageSection Circle(double radius, double pathFactor) {
  const double area = std::numbers::pi * radius * radius;
  return {area, 2 * radius, 0, 5, 0.05, pathFactor, radius};
}

// The wall stress that balances the gradient over a length of pipe: τ = (R/2)·dP/ds.
double BalancingStress(const DieStageSection& section, double gradient) {
  return section.radius / 2 * gradient / section.pathFactor;
}

std::vector<Liquid> ChangingIndexLiquids() {
  const liquids::CarreauYasudaCurve slurry{25.0, 0.02, 1.2, 1.8, 0.35};
  return {Liquid(liquids::CarreauYasuda(slurry)),
          Liquid(liquids::CarreauYasuda(slurry)).Shifted(0.3),
          Liquid(liquids::Cross(liquids::CrossCurve{8.0, 0.05, 0.4, 0.7})),
          Liquid(liquids::WindowLiquid(10.0, 1.0, 0.5, 50.0)),
          Liquid(liquids::HerschelBulkley{40.0, 6.0, 0.5})};
}

TEST(ManifoldFriction, ACircleTakesTheExactPipeFlowOfALiquidOfChangingIndex) {
  const DieStageSection circle = Circle(0.6, 1.07);
  for (const Liquid& liquid : ChangingIndexLiquids()) {
    // From the Newtonian plateau through the thinning to the far power law.
    for (double flow : {1e-4, 0.03, 0.7, 12.0, 400.0}) {
      ManifoldFriction friction(liquid, kCircleFrictionFactor);
      const double tau = BalancingStress(circle, friction.Gradient(circle, flow));
      EXPECT_NEAR(liquid.PipeFlow(tau, circle.radius) / flow, 1, 1e-12) << flow;
      // The table's η_app·γ̇_a is the same wall stress, and the gradient is odd in the flow.
      EXPECT_NEAR(
          friction.ApparentViscosity(circle, flow) * friction.ApparentShearRate(circle, flow) / tau,
          1, 1e-15);
      EXPECT_EQ(friction.Gradient(circle, -flow), -friction.Gradient(circle, flow));
    }
  }
}

// λ = 16 at the flow (λ/16)·Q is the rule at λ for a power law; a circle of any liquid
// follows that, so λ scales the circle's flow as it scales every other shape's.
TEST(ManifoldFriction, TheFrictionFactorScalesTheFlowThatACircleSees) {
  const DieStageSection circle = Circle(0.9, 1.0);
  for (const Liquid& liquid :
       {Liquid(liquids::Newtonian{3.0}), Liquid(liquids::PowerLaw{5.0, 0.6}),
        Liquid(liquids::PowerLaw{5.0, 0.6}).Shifted(2.0), ChangingIndexLiquids()[0]}) {
    for (double frictionFactor : {16.0, 20.0, 9.5}) {
      ManifoldFriction friction(liquid, frictionFactor);
      const double flow = 2.5;
      const double tau = BalancingStress(circle, friction.Gradient(circle, flow));
      EXPECT_NEAR(liquid.PipeFlow(tau, circle.radius) / flow, frictionFactor / 16, 1e-13)
          << frictionFactor;
    }
  }
}

// The rule's Kn at the apparent shear rate is not the pipe flow of a liquid that thins
// across the pipe: here it is 0.3 % off the flow.
TEST(CircularManifold, TheSolvedTableCarriesThePipeFlowsWallStress) {
  json die = NewtonianTDie(0.4);
  die["fluid"] = {{"model", "carreau-yasuda"},
                  {"eta0", 25.0},
                  {"eta_inf", 0.02},
                  {"lambda", 1.2},
                  {"a", 1.8},
                  {"n", 0.35}};
  die["stations"] = 40;
  const DieSolution solution = Solved(die);
  ASSERT_TRUE(solution.converged()) << DescribeDieOutcome(solution);
  const Liquid& liquid = solution.liquid;
  for (int i = 0; i < solution.stations; ++i) {
    const double tau = solution.table.APP_VIS_C[i] * solution.table.APP_SR_C[i];
    EXPECT_NEAR(liquid.PipeFlow(tau, 0.4) / solution.table.Q[i], 1, 1e-12) << i;
  }
}

}  // namespace
}  // namespace fluxeta::solver
