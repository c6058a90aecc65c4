#include <cmath>
#include <cstdint>
#include <random>

#include <gtest/gtest.h>
#include <nlopt.hpp>

#include "fluxeta/case/document_error.h"
#include "fluxeta/liquids/carreau_yasuda.h"
#include "fluxeta/liquids/flow_curve_fit.h"

namespace fluxeta::liquids {
namespace {

using cases::LiquidModel;

const CarreauYasudaCurve kSlurry{12, 0.01, 0.8, 1.5, 0.35};

// 25 points from 0.01 to 10⁴ 1/s, each viscosity times exp(noise·z) with z standard normal
// by Box–Muller from the raw output of a seeded Mersenne twister (the same on every library).
std::vector<FlowCurvePoint> Measured(const CarreauYasudaCurve& curve, double noise,
                                     std::uint32_t seed) {
  std::mt19937 twister(seed);
  const auto uniform = [&] { return (static_cast<double>(twister()) + 0.5) / 4294967296.0; };
  std::vector<FlowCurvePoint> points;
  for (int k = 0; k < 25; ++k) {
    const double rate = std::pow(10.0, -2 + 6.0 * k / 24);
    const double z = std::sqrt(-2 * std::log(uniform())) * std::cos(2 * M_PI * uniform());
    points.push_back({rate, curve.Viscosity(rate) * std::exp(noise * z), std::nullopt, k + 1});
  }
  return points;
}

// The least squares of ln η from other starts by another method (Nelder–Mead on the
// parameters themselves), for comparison with the fit's minimum.
double IndependentMinimum(const std::vector<FlowCurvePoint>& points, std::vector<double> x) {
  nlopt::opt optimiser(nlopt::LN_NELDERMEAD, 5);
  optimiser.set_lower_bounds({1e-6, 0, 1e-9, 0.05, 0.01});
  optimiser.set_upper_bounds({1e6, 1e3, 1e6, 20, 1});
  optimiser.set_xtol_rel(1e-15);
  optimiser.set_maxeval(200000);
  optimiser.set_min_objective(
      [](unsigned, const double* p, double*, void* data) {
        const auto& pts = *static_cast<const std::vector<FlowCurvePoint>*>(data);
        if (p[1] > p[0]) {
          return 1e300;
        }
        cases::LiquidDocument liquid;
        liquid.model = LiquidModel::CarreauYasuda;
        liquid.parameters = {p[0], p[1], p[2], p[3], p[4]};
        return LogSumOfSquares(liquid, pts);
      },
      const_cast<std::vector<FlowCurvePoint>*>(&points));
  double value = 0;
  try {
    optimiser.optimize(x, value);
  } catch (const nlopt::roundoff_limited&) {
  }
  return value;
}

TEST(FlowCurveFit, NoiseFreeDataGiveBackTheParameters) {
  const FlowCurveFit fit = FitFlowCurve(LiquidModel::CarreauYasuda, Measured(kSlurry, 0, 1), "d");
  EXPECT_NEAR(fit.liquid.Parameter("eta0") / kSlurry.zeroShearViscosity, 1, 1e-6);
  EXPECT_NEAR(fit.liquid.Parameter("eta_inf") / kSlurry.infiniteShearViscosity, 1, 1e-6);
  EXPECT_NEAR(fit.liquid.Parameter("lambda") / kSlurry.timeConstant, 1, 1e-6);
  EXPECT_NEAR(fit.liquid.Parameter("a") / kSlurry.transitionIndex, 1, 1e-6);
  EXPECT_NEAR(fit.liquid.Parameter("n") / kSlurry.powerLawIndex, 1, 1e-6);
  EXPECT_LT(fit.rmsRelativeResidual, 1e-9);

  // A power law and a Bingham liquid too, from their own points.
  std::vector<FlowCurvePoint> powerLaw, bingham;
  for (int k = 0; k < 10; ++k) {
    const double rate = std::pow(10.0, k / 3.0);
    powerLaw.push_back({rate, 4 * std::pow(rate, -0.6), std::nullopt, k + 1});
    bingham.push_back({rate, 7 / rate + 0.3, std::nullopt, k + 1});
  }
  const FlowCurveFit power = FitFlowCurve(LiquidModel::PowerLaw, powerLaw, "d");
  EXPECT_NEAR(power.liquid.Parameter("K"), 4, 4e-9);
  EXPECT_NEAR(power.liquid.Parameter("n"), 0.4, 1e-9);
  const FlowCurveFit plastic = FitFlowCurve(LiquidModel::Bingham, bingham, "d");
  EXPECT_NEAR(plastic.liquid.Parameter("tau_y"), 7, 7e-7);
  EXPECT_NEAR(plastic.liquid.Parameter("K"), 0.3, 3e-7);
}

TEST(FlowCurveFit, NoisyDataReachTheLeastSquaresMinimumAndRecoverTheCurve) {
  const std::vector<FlowCurvePoint> points = Measured(kSlurry, 0.01, 20261210);
  const FlowCurveFit fit = FitFlowCurve(LiquidModel::CarreauYasuda, points, "d");
  EXPECT_NEAR(fit.liquid.Parameter("eta0") / kSlurry.zeroShearViscosity, 1, 0.02);
  EXPECT_NEAR(fit.liquid.Parameter("lambda") / kSlurry.timeConstant, 1, 0.02);
  EXPECT_NEAR(fit.liquid.Parameter("n") / kSlurry.powerLawIndex, 1, 0.02);
  EXPECT_NEAR(fit.liquid.Parameter("a") / kSlurry.transitionIndex, 1, 0.05);
  EXPECT_NEAR(fit.rmsRelativeResidual, 0.01, 0.005);
  // No other start by another method finds a lower sum of squares.
  for (const std::vector<double>& start :
       {std::vector<double>{5, 0, 0.1, 1, 0.5}, std::vector<double>{50, 0.1, 10, 3, 0.2},
        std::vector<double>{12, 0.01, 0.8, 1.5, 0.35}}) {
    EXPECT_GE(IndependentMinimum(points, start), fit.sumOfSquares * (1 - 1e-9));
  }
}

std::string Refusal(const std::string& csv, LiquidModel model = LiquidModel::Carreau) {
  try {
    FitFlowCurve(model, ReadFlowCurveCsv(csv, "curve.csv"), "curve.csv");
  } catch (const cases::DocumentError& error) {
    return error.what();
  }
  return "fitted";
}

TEST(FlowCurveFit, ReadsTheCsvAndRefusesWhatItCannotFitNamingTheLine) {
  const std::vector<FlowCurvePoint> points = ReadFlowCurveCsv(
      "shear_rate,viscosity,temperature\n# a comment\n1,10,25\n\n10,5.5,25\n", "curve.csv");
  ASSERT_EQ(points.size(), 2u);
  EXPECT_EQ(points[1].shearRate, 10);
  EXPECT_EQ(points[1].viscosity, 5.5);
  EXPECT_EQ(points[1].temperature, 25);
  EXPECT_EQ(points[1].line, 5);

  EXPECT_EQ(Refusal("1,10\n2,9\n3,8\n"),
            "curve.csv: 3 points cannot fit the 4 parameters of carreau");
  EXPECT_EQ(Refusal("1,10\n2,-9\n"), "curve.csv:2: the viscosity must be positive, not -9");
  EXPECT_EQ(Refusal("1,10\n0,9\n"), "curve.csv:2: the shear rate must be positive, not 0");
  EXPECT_EQ(Refusal("1,10\n2,abc\n"), "curve.csv:2: the viscosity is not a number: \"abc\"");
  EXPECT_EQ(Refusal("1,10\n2,9,25\n"),
            "curve.csv:2: expected 2 columns (shear rate 1/s, viscosity Pa.s[, temperature °C]), "
            "found 3");
  EXPECT_EQ(Refusal("1\n"),
            "curve.csv:1: expected 2 or 3 columns (shear rate 1/s, viscosity Pa.s[, temperature "
            "°C]), found 1");
  EXPECT_EQ(Refusal("1,10,-300\n"),
            "curve.csv:1: the temperature must be above absolute zero, -273.15 °C, not -300");
}

TEST(FlowCurveFit, PointsAtSeveralTemperaturesGiveAnActivationEnergy) {
  // A Carreau liquid measured at 25 °C and 50 °C, shifted by 45 kJ/mol.
  const CarreauYasudaCurve curve{8, 0, 0.5, 2, 0.5};
  std::vector<FlowCurvePoint> points;
  for (double celsius : {25.0, 50.0}) {
    const double aT = std::exp(45000 / 8.314462618 * (1 / (celsius + 273.15) - 1 / 298.15));
    for (int k = 0; k < 8; ++k) {
      const double rate = std::pow(10.0, -1 + k / 2.0);
      points.push_back({rate, aT * curve.Viscosity(aT * rate), celsius, 0});
    }
  }
  const FlowCurveFit fit = FitFlowCurve(LiquidModel::Carreau, points, "d");
  ASSERT_TRUE(fit.liquid.temperature.has_value());
  EXPECT_NEAR(fit.liquid.temperature->Parameter("activation_energy") / 45000, 1, 1e-6);
  EXPECT_EQ(fit.liquid.temperature->Parameter("reference_temperature"), 25);
  EXPECT_NEAR(fit.liquid.Parameter("eta0") / 8, 1, 1e-6);
}

}  // namespace
}  // namespace fluxeta::liquids
