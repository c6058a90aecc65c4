// The liquids without a closed-form inverse, and the yield-stress liquids, in the general die
// model.
#include <cmath>

#include <gtest/gtest.h>

#include "die_test_documents.h"

namespace fluxeta::solver::testing {
namespace {

TEST(LiquidModelsInDie, CarreauYasudaOnItsPlateauIsTheNewtonianTDie) {
  json newtonian = NewtonianTDie(1.0);
  newtonian["stations"] = 400;
  json plateau = newtonian;
  // λγ̇ ≈ 1e-22 at the die's shear rates: (λγ̇)^a is far below a double's resolution.
  plateau["fluid"] = {{"model", "carreau-yasuda"}, {"eta0", 1.0}, {"eta_inf", 0.0},
                      {"lambda", 1e-25},           {"a", 2.0},    {"n", 0.4}};
  const DieSolution exact = SolveDie(cases::ReadDieDocument(newtonian, "."));
  const DieSolution carreau = SolveDie(cases::ReadDieDocument(plateau, "."));
  EXPECT_NEAR(carreau.entrancePressure / exact.entrancePressure, 1, 1e-9);
  EXPECT_EQ(std::round(carreau.entrancePressure), 96424);
  EXPECT_NEAR(carreau.uniformity, exact.uniformity, 1e-9);
}

// A yield stress that the manifold cannot carry to the closed end leaves no entrance pressure
// whose flow reaches it: the search narrows onto the jump between a pressure that runs out and
// a manifold that empties, and says so within its budget.
TEST(LiquidModelsInDie, AYieldStressTheManifoldCannotCarryHasNoPhysicalSolution) {
  json die = NewtonianTDie(0.2);
  die["stations"] = 20;
  for (const double yieldStress : {500.0, 1000.0}) {
    die["fluid"] = {{"model", "bingham"}, {"tau_y", yieldStress}, {"K", 1.0}};
    const DieSolution solution = SolveDie(cases::ReadDieDocument(die, "."));
    EXPECT_EQ(solution.status, base::Outcome::NoPhysicalSolution)
        << yieldStress << " Pa: " << DescribeDieOutcome(solution);
    EXPECT_EQ(solution.shortfall, DieShortfall::ManifoldEmpties) << yieldStress << " Pa";
  }
}

}  // namespace
}  // namespace fluxeta::solver::testing
