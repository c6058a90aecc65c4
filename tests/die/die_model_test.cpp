// The general die model against what is known exactly: the Newtonian T-die's closed form,
// the symmetry of a centre feed, the power law's scaling, and the window's own die.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "die_test_documents.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solve.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::solver {
namespace {

using testing::Document;
using testing::json;
using testing::NewtonianTDie;
using testing::Solved;

// H 0.05 cm, L 5 cm, W 50 cm, μ 1 Pa.s, Q 10 cm3/s.
constexpr double kGap = 0.05, kLand = 5, kWidth = 50, kViscosity = 1, kFlow = 10;

double DecayRate(double radius) {
  return std::sqrt(2 * kGap * kGap * kGap / (3 * std::numbers::pi * std::pow(radius, 4) * kLand));
}

double ClosedFormEntrancePressure(double radius) {
  const double k = DecayRate(radius);
  return 12 * kViscosity * kLand * kFlow * k / (kGap * kGap * kGap * std::tanh(k * kWidth));
}

// ∫ q dx over [a, b] of q(x) = (H³/(12μL))·p₀·cosh(k(W − x))/cosh(kW).
double ClosedFormSlotFlow(double radius, double a, double b) {
  const double k = DecayRate(radius);
  const double p0 = ClosedFormEntrancePressure(radius);
  return kGap * kGap * kGap / (12 * kViscosity * kLand) * p0 *
         (std::sinh(k * (kWidth - a)) - std::sinh(k * (kWidth - b))) / (k * std::cosh(k * kWidth));
}

TEST(NewtonianTDie, MatchesTheClosedFormOnFourHundredStations) {
  EXPECT_EQ(std::round(DecayRate(1.0) * kWidth * 1e7), 1151647);
  EXPECT_EQ(std::round(ClosedFormEntrancePressure(1.0)), 96424);

  for (const double radius : {1.0, 0.5}) {
    const DieSolution solution = Solved(NewtonianTDie(radius), 400);
    ASSERT_TRUE(solution.converged()) << DescribeDieOutcome(solution);
    const double p0 = ClosedFormEntrancePressure(radius);
    EXPECT_LE(std::fabs(solution.entrancePressure / p0 - 1), 1e-6)
        << "R " << radius << ": " << solution.entrancePressure << " vs " << p0;
    double worst = 0;
    for (int i = 0; i < solution.stations; ++i) {
      const double exact =
          ClosedFormSlotFlow(radius, solution.table.X[i], solution.table.X[i] + kWidth / 400);
      worst = std::fmax(worst, std::fabs(solution.table.DelQ[i] / exact - 1));
    }
    EXPECT_LE(worst, 1e-6) << "R " << radius;
  }
}

TEST(NewtonianTDie, FlowRatioTendsToTheClosedFormsAsStationsGrow) {
  const double limit = 1 / std::cosh(DecayRate(0.5) * kWidth);
  EXPECT_NEAR(limit, 0.90253, 5e-6);
  double previousGap = 1;
  for (const int stations : {50, 200, 800}) {
    const DieSolution solution = Solved(NewtonianTDie(0.5), stations);
    ASSERT_TRUE(solution.converged());
    const double gap = std::fabs(solution.flowRatio - limit);
    EXPECT_LT(gap, previousGap) << stations << " stations";
    previousGap = gap;
  }
  EXPECT_LT(previousGap, 2e-4);
}

TEST(CentreFeed, TwiceTheWidthAndTheFlowIsTheEndFedHalfBitForBit) {
  json centre = NewtonianTDie(1.0);
  centre["geometry"]["feed"] = "centre";
  centre["geometry"]["width"] = 2 * kWidth;
  centre["density"] = 1.0;  // with inertia too
  centre["stations"] = 100;
  json end = NewtonianTDie(1.0);
  end["flow_rate"] = kFlow / 2;
  end["density"] = 1.0;

  const DieSolution whole = Solved(centre);
  const DieSolution half = Solved(end);
  ASSERT_TRUE(whole.converged() && half.converged());
  EXPECT_EQ(whole.entrancePressure, half.entrancePressure);
  EXPECT_EQ(whole.uniformity, half.uniformity);
  EXPECT_EQ(whole.flowRatio, half.flowRatio);
  ASSERT_EQ(whole.stations, 2 * half.stations);
  const int n = half.stations;
  for (const auto& column : kDieStationColumns) {
    const std::vector<double>& wholeValues = whole.table.*column.values;
    const std::vector<double>& halfValues = half.table.*column.values;
    for (int i = 0; i < n; ++i) {
      if (column.name == "X") {
        EXPECT_EQ(wholeValues[n + i], kWidth + halfValues[i]);
        continue;
      }
      // The right half as solved, the left its mirror.
      EXPECT_EQ(wholeValues[n + i], halfValues[i]) << column.name << " station " << i;
      EXPECT_EQ(wholeValues[n - 1 - i], halfValues[i]) << column.name << " station " << i;
    }
  }
}

json PowerLawTDie(double flowRate) {
  json die = NewtonianTDie(1.0);
  die["fluid"] = {{"model", "power-law"}, {"K", 20.0}, {"n", 0.4}};
  die["flow_rate"] = flowRate;
  return die;
}

TEST(PowerLawTDie, ScalingTheFlowScalesThePressuresByItsPowerN) {
  const double n = 0.4, factor = 3;
  const DieSolution base = Solved(PowerLawTDie(kFlow));
  const DieSolution scaled = Solved(PowerLawTDie(factor * kFlow));
  ASSERT_TRUE(base.converged() && scaled.converged());
  const double pressureFactor = std::pow(factor, n);
  EXPECT_NEAR(scaled.entrancePressure / base.entrancePressure / pressureFactor, 1, 1e-9);
  for (int i = 0; i < base.stations; ++i) {
    EXPECT_NEAR(scaled.table.DelQ[i] / (factor * base.table.DelQ[i]), 1, 1e-9) << i;
    EXPECT_NEAR(scaled.table.P[i] / (pressureFactor * base.table.P[i]), 1, 1e-9) << i;
  }
}

TEST(TDieManifolds, ATeardropAsTallAsItsDiameterIsItsCircle) {
  json circle = NewtonianTDie(0.8);
  json teardrop = NewtonianTDie(0.8);
  teardrop["geometry"]["manifold"] = {{"shape", "teardrop"}, {"radius", 0.8}, {"height", 1.6}};
  const DieSection round = DieModel(Document(circle)).SectionAt(0);
  const DieSection drop = DieModel(Document(teardrop)).SectionAt(0);
  EXPECT_DOUBLE_EQ(drop.A, round.A);
  EXPECT_DOUBLE_EQ(drop.Pe, round.Pe);

  // Taller: the kite of the tangents adds r·t, the arcs between the tangent points go.
  teardrop["geometry"]["manifold"]["height"] = 2.8;  // tip 2 cm from the centre
  const DieSection tall = DieModel(Document(teardrop)).SectionAt(0);
  const double tangent = std::sqrt(2.0 * 2.0 - 0.8 * 0.8);
  const double halfAngle = std::asin(0.8 / 2.0);
  EXPECT_DOUBLE_EQ(tall.A, 0.8 * 0.8 * (std::numbers::pi / 2 + halfAngle) + 0.8 * tangent);
  EXPECT_DOUBLE_EQ(tall.Pe, 0.8 * (std::numbers::pi + 2 * halfAngle) + 2 * tangent);
  EXPECT_TRUE(std::isnan(tall.radius));

  json box = NewtonianTDie(0.8);
  box["geometry"]["manifold"] = {{"shape", "rectangle"}, {"width", 2.0}, {"height", 1.5}};
  const DieSection rectangle = DieModel(Document(box)).SectionAt(10);
  EXPECT_EQ(rectangle.A, 3.0);
  EXPECT_EQ(rectangle.Pe, 7.0);
  EXPECT_EQ(rectangle.depth, 2.0);
}

TEST(TaperedDie, SitsNearTheWindowsRobustSearchOnItsFiftyStations) {
  const DieSolution general = Solved(testing::DefaultTaperedDie());
  ASSERT_TRUE(general.converged()) << DescribeDieOutcome(general);
  // Only the slot flow's regime (lagged there, exact here), the stations' geometry (at
  // stations there, at stages here) and the momentum change of a narrowing cavity differ.
  const Solution robust = Solve(cases::MakeCase(cases::DefaultCaseValues()), Search::Robust);
  ASSERT_EQ(robust.status, base::Outcome::Converged);
  const double robustPressure = robust.table.P[1];  // the table counts from 1
  RecordProperty("general_entrance_pressure", std::to_string(general.entrancePressure));
  RecordProperty("robust_entrance_pressure", std::to_string(robustPressure));
  RecordProperty("general_uniformity", std::to_string(general.uniformity));
  RecordProperty("robust_uniformity", std::to_string(robust.table.Uniformity));
  // 173121.3 Pa against 173421.8 Pa, 0.911512 against 0.911563.
  EXPECT_NEAR(general.entrancePressure / robustPressure, 1, 2e-3);
  EXPECT_NEAR(general.uniformity, robust.table.Uniformity, 1e-4);
}

}  // namespace
}  // namespace fluxeta::solver
