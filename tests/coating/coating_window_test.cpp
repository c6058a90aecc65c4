#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/coating/case_coating_window.h"

namespace fluxeta::coating {
namespace {

// The bead of the thin film worked by hand in bead_model_test.cpp: μ 5 mPa.s at 1 m/s, G 200 µm,
// lips 1 mm, σ 0.04 N/m; the low-flow limit is 28.56 µm. Its vacuum limits (Pa), least + most
// = least + 750 + 200:
//   t  30 µm: 0.0134/30e-6 = 446.67 + 3e-5 × (200e-6 −  60e-6)/8e-12 = 525  → 971.67, 1921.67
//   t  50 µm: 268 + 375                                                      → 643,    1593
//   t 100 µm: 134 + 0                                                        → 134,    1084
//   t 150 µm: 89.33 − 375                                                    → −285.67, 664.33
OperatingPoint HandPoint(double lowestVacuum, double highestVacuum) {
  return {100, 0.02, 0.1, 0.1, 0.04, lowestVacuum, highestVacuum};
}

// Stations 1 cm apart laying films of `films` (cm) at 1 m/s.
WebFlow FilmsAt100CmPerSecond(const std::vector<double>& films) {
  WebFlow flow{{}, {}, liquids::Liquid(liquids::Newtonian{0.005})};
  for (const double film : films) {
    flow.x.push_back(static_cast<double>(flow.x.size()));
    flow.flowPerWidth.push_back(film * 100);
  }
  return flow;
}

std::vector<std::string> Verdicts(const CoatingWindow& window) {
  std::vector<std::string> verdicts;
  for (const StationWindow& station : window.stations) {
    verdicts.emplace_back(VerdictName(station.verdict));
  }
  return verdicts;
}

// 900 − 971.67 and 664.33 − 700 are differences of terms of about 1000 Pa.
constexpr double kToTheTermsDigits = 1e-12;  // Pa

TEST(CoatingWindow, NamesEachStationOutsideAndGroupsNeighbours) {
  const CoatingWindow window = EvaluateCoatingWindow(
      HandPoint(700, 900),
      FilmsAt100CmPerSecond({0.003, 0.0031, 0.005, 0.01, 0.015, 0.016, 0.003, 0.002}));
  EXPECT_EQ(Verdicts(window),
            (std::vector<std::string>{"vacuum_too_low", "vacuum_too_low", "inside", "inside",
                                      "vacuum_too_high", "vacuum_too_high", "vacuum_too_low",
                                      "low_flow"}));
  EXPECT_EQ(window.verdict, WebVerdict::Outside);
  ASSERT_EQ(window.outside.size(), 4u);
  const OutsideRun& thin = window.outside[0];
  EXPECT_EQ(thin.verdict, Verdict::VacuumTooLow);
  EXPECT_EQ(thin.firstStation, 1);
  EXPECT_EQ(thin.lastStation, 2);
  // The thinner film of the two needs the more vacuum.
  EXPECT_NEAR(thin.worstMargin, 900 - (0.0134 / 30e-6 + 525), kToTheTermsDigits);
  const OutsideRun& thick = window.outside[1];
  EXPECT_EQ(thick.verdict, Verdict::VacuumTooHigh);
  EXPECT_EQ(thick.firstStation, 5);
  EXPECT_EQ(thick.lastStation, 6);
  EXPECT_EQ(thick.worstMargin, window.stations[5].pressures->vacuumTooHighMargin);
  EXPECT_NEAR(window.stations[4].pressures->vacuumTooHighMargin, 0.0134 / 150e-6 - 375 + 950 - 700,
              kToTheTermsDigits);
  EXPECT_EQ(window.outside[2].firstStation, 7);
  EXPECT_EQ(window.outside[2].lastStation, 7);
  // 20 µm is below the low-flow limit, whatever the vacuum.
  EXPECT_EQ(window.outside[3].verdict, Verdict::LowFlow);
  EXPECT_EQ(window.outside[3].worstMargin, 0.002 - window.limits.lowFlow);
  EXPECT_FALSE(window.webVacuum);
}

TEST(CoatingWindow, TheWebNeedsOneVacuumForEveryStation) {
  const CoatingWindow held =
      EvaluateCoatingWindow(HandPoint(0, 5000), FilmsAt100CmPerSecond({0.005, 0.01}));
  EXPECT_EQ(held.verdict, WebVerdict::Inside);
  ASSERT_TRUE(held.webVacuum);
  EXPECT_DOUBLE_EQ(held.webVacuum->lowest, 643);
  EXPECT_DOUBLE_EQ(held.webVacuum->highest, 1084);
  // The box's own range bounds the band.
  const CoatingWindow narrow =
      EvaluateCoatingWindow(HandPoint(700, 800), FilmsAt100CmPerSecond({0.005, 0.01}));
  EXPECT_EQ(narrow.webVacuum->lowest, 700);
  EXPECT_EQ(narrow.webVacuum->highest, 800);

  // 30 µm needs at least 971.67 Pa, 150 µm bears at most 664.33 Pa: each alone is inside.
  const CoatingWindow split =
      EvaluateCoatingWindow(HandPoint(0, 5000), FilmsAt100CmPerSecond({0.003, 0.015}));
  EXPECT_EQ(Verdicts(split), (std::vector<std::string>{"inside", "inside"}));
  EXPECT_EQ(split.verdict, WebVerdict::NoCommonVacuum);
  EXPECT_TRUE(split.outside.empty());
  EXPECT_FALSE(split.webVacuum);
}

TEST(CoatingWindow, AStationWithoutFlowIsBelowTheLowFlowLimit) {
  const CoatingWindow window =
      EvaluateCoatingWindow(HandPoint(0, 5000), FilmsAt100CmPerSecond({0.005, 0, -0.001}));
  EXPECT_EQ(Verdicts(window), (std::vector<std::string>{"inside", "low_flow", "low_flow"}));
  EXPECT_FALSE(window.stations[1].pressures);
  EXPECT_FALSE(window.stations[2].pressures);
  EXPECT_EQ(window.outside.size(), 1u);
  EXPECT_EQ(window.outside[0].worstMargin, -0.001 - window.limits.lowFlow);
  EXPECT_FALSE(window.webVacuum);
}

TEST(CoatingWindow, TheLimitsAtTheSpeedBracketTheFilmsInside) {
  const OperatingPoint point = HandPoint(700, 900);
  const WindowLimits limits =
      WindowLimitsAt(point, liquids::Liquid(liquids::Newtonian{0.005}), 100);
  // Thinnest: the film that needs 900 Pa; thickest: the one that bears 700 Pa.
  const double thinnest = limits.Thinnest(), thickest = limits.Thickest();
  EXPECT_EQ(thinnest, limits.vacuumTooLow);
  EXPECT_EQ(thickest, limits.vacuumTooHigh);
  const double nudge = 1 + 1e-9;
  const CoatingWindow window =
      EvaluateCoatingWindow(point, FilmsAt100CmPerSecond({thinnest / nudge, thinnest * nudge,
                                                          thickest / nudge, thickest * nudge}));
  EXPECT_EQ(Verdicts(window),
            (std::vector<std::string>{"vacuum_too_low", "inside", "inside", "vacuum_too_high"}));
  EXPECT_EQ(window.limits.Thinnest(), thinnest);
  EXPECT_EQ(window.limits.Thickest(), thickest);
}

TEST(CoatingWindow, RefusesAGapNoWiderThanAFilm) {
  try {
    EvaluateCoatingWindow(HandPoint(0, 5000), FilmsAt100CmPerSecond({0.005, 0.02}));
    FAIL() << "accepted";
  } catch (const cases::DocumentError& error) {
    EXPECT_STREQ(error.what(),
                 "coating_gap: must be wider than the wet film, 0.02 cm is not above the film "
                 "of 0.02 cm at station 2");
  }
}

TEST(CoatingWindow, AFaultEndsTheEvaluation) {
  // V/G beyond the double range.
  OperatingPoint point = HandPoint(0, 5000);
  point.webSpeed = 1e300;
  point.coatingGap = 1e-10;
  EXPECT_THROW(EvaluateCoatingWindow(point, FilmsAt100CmPerSecond({})), base::FloatingPointError);
}

// The window's default die (uniformity 0.91) lays 0.87 mm at its fed edge and 1.17 mm at its far
// edge at 5 cm/s; with a gap of 1.7 mm the fed edge falls below the low-flow limit of
// 0.920 mm while the middle and the far edge stay inside.
TEST(CaseCoatingWindow, TheDefaultDieLosesItsFedEdgeToTheLowFlowLimit) {
  const OperatingPoint point{5, 0.17, 0.2, 0.2, 0.03, 0, 300};
  const CaseCoatingWindow result = EvaluateCaseCoatingWindow(
      cases::MakeCase(cases::DefaultCaseValues()), solver::Search::Window, point);
  EXPECT_EQ(result.status, base::Outcome::Converged);
  ASSERT_TRUE(result.window);
  const CoatingWindow& window = *result.window;
  EXPECT_EQ(window.stations.size(), 50u);
  EXPECT_EQ(window.stations[0].wetThickness, 0.086846572497590896);
  EXPECT_EQ(window.limits.lowFlow, 0.092023686830323123);
  EXPECT_EQ(window.verdict, WebVerdict::Outside);
  ASSERT_EQ(window.outside.size(), 1u);
  EXPECT_EQ(window.outside[0].verdict, Verdict::LowFlow);
  EXPECT_EQ(window.outside[0].firstStation, 1);
  EXPECT_EQ(window.outside[0].lastStation, 12);
  EXPECT_EQ(window.outside[0].worstMargin, -0.0051771143327322272);
  EXPECT_EQ(window.stations[24].verdict, Verdict::Inside);
  EXPECT_EQ(window.stations[49].verdict, Verdict::Inside);
  // One vacuum holds every meniscus: from the fed edge's least to the far edge's most.
  ASSERT_TRUE(window.webVacuum);
  EXPECT_EQ(window.webVacuum->lowest, window.stations[0].pressures->vacuum.least);
  EXPECT_EQ(window.webVacuum->highest, window.stations[49].pressures->vacuum.most);
}

TEST(CaseCoatingWindow, ADieThatIsNotSolvedHasNoWindow) {
  // The robust search finds no physical solution for this design (README).
  const cases::CaseValues design = {7.42,  1.44, 9.66, 1.32, 0.564, 149,  0.045, 16,
                                    0.942, 10,   1,    0.5,  50,    1.37, 20.3};
  const CaseCoatingWindow result = EvaluateCaseCoatingWindow(
      cases::MakeCase(design), solver::Search::Robust, {5, 0.17, 0.2, 0.2, 0.03, 0, 300});
  EXPECT_EQ(result.status, base::Outcome::NoPhysicalSolution);
  EXPECT_FALSE(result.window);
}

}  // namespace
}  // namespace fluxeta::coating
