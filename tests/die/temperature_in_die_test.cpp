// A die at another temperature than its liquid's data: without inertia, a uniform shift a_T
// multiplies a Newtonian liquid's stresses at every flow by a_T and a power law's by a_Tⁿ,
// so the pressures scale by that factor and the flows across the width stay as they are.
#include <gtest/gtest.h>

#include <cmath>

#include "die_test_documents.h"

namespace fluxeta::solver {
namespace {

using testing::json;
using testing::Solved;

constexpr double kGasConstant = 8.314462618;  // J/(mol·K)
constexpr double kCelsiusZero = 273.15;       // K
constexpr double kActivationEnergy = 35000;   // J/mol
constexpr double kReferenceTemperature = 25;  // °C
// Each search stops once the flow left at the closed end is within 1e-13 of the feed's, so
// two solves that the arithmetic would make proportional agree to about that.
constexpr double kSearchPrecision = 1e-13;

// a_T = exp((E/R)(1/T − 1/T_ref)).
double ShiftFactor(double dieTemperature) {
  return std::exp(
      kActivationEnergy / kGasConstant *
      (1 / (dieTemperature + kCelsiusZero) - 1 / (kReferenceTemperature + kCelsiusZero)));
}

json AtTemperature(json die, double dieTemperature) {
  die["fluid"]["temperature"] = {{"law", "arrhenius"},
                                 {"activation_energy", kActivationEnergy},
                                 {"reference_temperature", kReferenceTemperature},
                                 {"die_temperature", dieTemperature}};
  return die;
}

json PowerLaw(json die) {
  die["fluid"] = {{"model", "power-law"}, {"K", 4.0}, {"n", 0.45}};
  return die;
}

json TaperedWithoutInertia() {
  json die = testing::DefaultTaperedDie();
  die["density"] = 0.0;
  return die;
}

// Each station's pressure is the reference's times `pressureFactor`, its flows the same.
void ExpectScaled(const DieSolution& reference, const DieSolution& shifted, double pressureFactor,
                  double tolerance) {
  ASSERT_TRUE(reference.converged()) << DescribeDieOutcome(reference);
  ASSERT_TRUE(shifted.converged()) << DescribeDieOutcome(shifted);
  EXPECT_NEAR(shifted.entrancePressure / (pressureFactor * reference.entrancePressure), 1,
              tolerance);
  for (int i = 0; i < reference.stations; ++i) {
    EXPECT_NEAR(shifted.table.P[i] / (pressureFactor * reference.table.P[i]), 1, tolerance) << i;
    EXPECT_NEAR(shifted.table.DelQ[i] / reference.table.DelQ[i], 1, tolerance) << i;
    EXPECT_NEAR(shifted.table.Q[i] / reference.table.Q[i], 1, tolerance) << i;
  }
  EXPECT_NEAR(shifted.uniformity, reference.uniformity, tolerance);
}

TEST(TemperatureInDie, AUniformShiftScalesEveryPressureByATOfANewtonianLiquid) {
  for (const json& die : {testing::NewtonianTDie(0.5), TaperedWithoutInertia()}) {
    json newtonian = die;
    newtonian["fluid"] = {{"model", "newtonian"}, {"viscosity", 2.0}};
    const DieSolution reference = Solved(AtTemperature(newtonian, kReferenceTemperature));
    for (double temperature : {45.0, 5.0}) {
      SCOPED_TRACE(temperature);
      ExpectScaled(reference, Solved(AtTemperature(newtonian, temperature)),
                   ShiftFactor(temperature), kSearchPrecision);
    }
  }
}

TEST(TemperatureInDie, AUniformShiftScalesEveryPressureByATToTheNOfAPowerLaw) {
  for (const json& die :
       {PowerLaw(testing::NewtonianTDie(0.5)), PowerLaw(TaperedWithoutInertia())}) {
    const DieSolution reference = Solved(AtTemperature(die, kReferenceTemperature));
    for (double temperature : {45.0, 5.0}) {
      SCOPED_TRACE(temperature);
      ExpectScaled(reference, Solved(AtTemperature(die, temperature)),
                   std::pow(ShiftFactor(temperature), 0.45), kSearchPrecision);
    }
  }
}

}  // namespace
}  // namespace fluxeta::solver
