// The design service on a model whose figures are known functions: the derivatives, the
// corners of a band and the bounds of a search can be checked against the functions
// themselves rather than against other runs of the same code.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <mutex>
#include <set>

#include "fluxeta/design/optimiser.h"
#include "fluxeta/design/sensitivity.h"
#include "fluxeta/design/tolerance_band.h"

namespace fluxeta::design {
namespace {

constexpr std::size_t kX = 0;
constexpr std::size_t kY = 1;

// Uniformity 1 − (x − peak)² − (y − 0.2)²/2, entrance pressure 1000 x + 300 y (Pa), a
// residence time of x seconds; every candidate it is asked for remembered.
class QuadraticModel : public DesignModel {
 public:
  explicit QuadraticModel(double peak = 2.5) : peak_(peak) {
    quantities_ = {
        {"x", "cm", cases::PhysicalDomain::Positive, 2.0, Bounds{1.0, 3.0}, false},
        {"y", "-", cases::PhysicalDomain::Real, 0.5, Bounds{-1.0, 1.0}, false},
    };
  }

  const std::vector<DesignQuantity>& Quantities() const override { return quantities_; }
  std::string_view QuantityNoun() const override { return "quantity"; }

  DesignFigures Evaluate(const DesignPoint& point) const override {
    {
      std::lock_guard lock(guard_);
      asked_.push_back(point);
    }
    DesignFigures figures;
    figures.status = base::Outcome::Converged;
    figures.uniformity = Uniformity(point);
    figures.entrancePressure = 1000.0 * point[kX] + 300.0 * point[kY];
    figures.longestResidenceTime = point[kX];
    return figures;
  }
  std::shared_ptr<const DesignSolution> Solve(const DesignPoint&) const override {
    return std::make_shared<DesignSolution>();
  }

  double Uniformity(const DesignPoint& point) const {
    const double dx = point[kX] - peak_;
    const double dy = point[kY] - 0.2;
    return 1.0 - dx * dx - 0.5 * dy * dy;
  }
  double UniformitySlopeX(double x) const { return -2.0 * (x - peak_); }

  std::vector<DesignPoint> Asked() const {
    std::lock_guard lock(guard_);
    return asked_;
  }

 private:
  double peak_;
  std::vector<DesignQuantity> quantities_;
  mutable std::mutex guard_;
  mutable std::vector<DesignPoint> asked_;
};

// The differences of a quadratic are exact but for rounding: a few ulp of the uniformity
// divided by the step.
constexpr double kDifferenceRounding = 1e-10;

TEST(AnalyticSensitivities, AreTheSlopesOfTheFunctions) {
  const QuadraticModel model;
  const SensitivityResult result = Sensitivities(model, {});
  ASSERT_EQ(result.rows.size(), 2u);
  for (const Sensitivity& row : result.rows) {
    ASSERT_TRUE(row.solved);
    const bool isX = row.quantity == kX;
    const double slope = isX ? model.UniformitySlopeX(2.0) : -(0.5 - 0.2);
    EXPECT_NEAR(row.uniformityPerUnit, slope, kDifferenceRounding) << row.quantity;
    EXPECT_NEAR(row.pressurePerUnit, isX ? 1000.0 : 300.0, 1e-7) << row.quantity;
    // 1 % of the value: 0.02 of x, 0.005 of y.
    EXPECT_DOUBLE_EQ(row.onePercent, isX ? 0.02 : 0.005);
    EXPECT_DOUBLE_EQ(row.uniformityPerPercent, row.uniformityPerUnit * row.onePercent);
  }
  // x moves uniformity by 0.02 per 1 %, y by 0.0015: x first.
  EXPECT_EQ(result.rows.front().quantity, kX);
}

TEST(AnalyticSensitivities, SolveEachQuantityAtItsValueMinusAndPlusTheStep) {
  const QuadraticModel model;
  Sensitivities(model, {});
  const std::vector<DesignPoint> asked = model.Asked();
  const double h = kSensitivityRelativeStep * 2.0;
  const std::vector<DesignPoint> expected = {
      {2.0, 0.5}, {2.0 - h, 0.5}, {2.0 + h, 0.5}, {2.0, 0.5 - 0.0005}, {2.0, 0.5 + 0.0005}};
  EXPECT_EQ(asked, expected);
}

TEST(AnalyticToleranceBand, SolvesTheCentreAndEveryCornerByItsInputs) {
  const QuadraticModel model;
  const ToleranceSettings settings{{Tolerance{kX, 0.25, false}, Tolerance{kY, 10.0, true}}, false};
  const ToleranceBand band = EvaluateToleranceBand(model, settings);
  ASSERT_TRUE(band.Complete());
  EXPECT_EQ(band.corners, 4u);

  const std::vector<DesignPoint> points = model.Asked();
  const std::set<DesignPoint> asked(points.begin(), points.end());
  EXPECT_EQ(points.size(), 5u);
  const std::set<DesignPoint> expected = {
      {2.0, 0.5}, {1.75, 0.45}, {2.25, 0.45}, {1.75, 0.55}, {2.25, 0.55}};
  EXPECT_EQ(asked, expected);

  // The worst corner lies farthest from the peak (2.5, 0.2): x low, y high.
  const DesignPoint worst = {1.75, 0.55};
  EXPECT_EQ(band.worstUniformityCase, worst);
  EXPECT_EQ(band.worstUniformity, model.Uniformity(worst));
  EXPECT_EQ(band.bestUniformity, model.Uniformity({2.25, 0.45}));
  EXPECT_EQ(band.lowestEntrancePressure, 1000.0 * 1.75 + 300.0 * 0.45);
  EXPECT_EQ(band.highestEntrancePressure, 1000.0 * 2.25 + 300.0 * 0.55);
}

TEST(AnalyticOptimiser, FindsThePeakInsideTheBounds) {
  const QuadraticModel model;
  OptimiseSettings settings;
  settings.variables = {{"x", std::nullopt}, {"y", std::nullopt}};
  const OptimiseResult result = Optimise(model, settings);
  ASSERT_EQ(result.status, OptimiseStatus::Optimum) << result.reason;
  EXPECT_NEAR(result.best.values[kX], 2.5, 1e-6);
  EXPECT_NEAR(result.best.values[kY], 0.2, 1e-6);
}

TEST(AnalyticOptimiser, NeverAsksForACandidateOutsideTheBounds) {
  // The peak lies beyond the upper bound: the answer is the bound itself.
  const QuadraticModel model(5.0);
  OptimiseSettings settings;
  settings.variables = {{"x", Bounds{2.0, 2.5}}};
  const OptimiseResult result = Optimise(model, settings);
  ASSERT_EQ(result.status, OptimiseStatus::Optimum) << result.reason;
  EXPECT_EQ(result.best.values[kX], 2.5);
  for (const DesignPoint& point : model.Asked()) {
    EXPECT_GE(point[kX], 2.0);
    EXPECT_LE(point[kX], 2.5);
  }
}

TEST(AnalyticOptimiser, ALimitThatBindsHoldsAtTheAnswer) {
  const QuadraticModel model;
  OptimiseSettings settings;
  settings.variables = {{"x", std::nullopt}};
  settings.limits[kMaxPressure] = 2200.0;  // x ≤ 2.05 at y = 0.5
  const OptimiseResult result = Optimise(model, settings);
  ASSERT_TRUE(result.best.feasible) << result.reason;
  EXPECT_LE(result.best.figures.entrancePressure, 2200.0);
  EXPECT_NEAR(result.best.values[kX], 2.05, 1e-4);
}

}  // namespace
}  // namespace fluxeta::design

namespace fluxeta::design {
namespace {

// Bounds hundreds of decades apart, or of both signs near the largest double: a ratio or a
// range of them overflows, a position between them must not.
TEST(DesignVariables, EveryPositionBetweenFarBoundsIsAValueBetweenThem) {
  const DesignVariable variables[] = {
      {0, 4.5767114681873503e-246, 3.1868279569006026e+183, true},
      {0, -1.7e308, 1.7e308, false},
  };
  for (const DesignVariable& variable : variables) {
    for (const double position : {1e-7, 0.25, 0.5, 0.75, 1.0 - 1e-7}) {
      const double value = variable.ValueAt(position);
      EXPECT_TRUE(std::isfinite(value)) << position;
      EXPECT_GE(value, variable.low) << position;
      EXPECT_LE(value, variable.high) << position;
    }
  }
  EXPECT_EQ(variables[1].ValueAt(0.5), 0.0);
}

}  // namespace
}  // namespace fluxeta::design
