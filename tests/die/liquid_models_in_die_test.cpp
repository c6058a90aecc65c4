// The liquids without a closed-form inverse in the general die model.
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

}  // namespace
}  // namespace fluxeta::solver::testing
