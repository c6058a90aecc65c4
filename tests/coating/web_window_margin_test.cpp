// The web's margin to the coating window, the one number a design search keeps at zero or
// above, agrees with the window's verdict and is the worst count's fraction.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "fluxeta/case/default_case.h"
#include "fluxeta/coating/case_coating_window.h"
#include "fluxeta/coating/web_window_margin.h"

namespace fluxeta::coating {
namespace {

// The hand-worked bead of coating_window_test.cpp: μ 5 mPa.s at 1 m/s, G 200 µm, lips 1 mm,
// σ 0.04 N/m; low-flow limit 28.56 µm; a station's vacuums span 750 + 200 = 950 Pa; a film of
// 50 µm needs 643 Pa and bears 1593 Pa, one of 100 µm 134 and 1084 Pa.
OperatingPoint HandPoint(double lowestVacuum, double highestVacuum) {
  return {100, 0.02, 0.1, 0.1, 0.04, lowestVacuum, highestVacuum};
}

WebFlow FilmsAt100CmPerSecond(const std::vector<double>& films) {
  WebFlow flow{{}, {}, liquids::Liquid(liquids::Newtonian{0.005})};
  for (const double film : films) {
    flow.x.push_back(static_cast<double>(flow.x.size()));
    flow.flowPerWidth.push_back(film * 100);
  }
  return flow;
}

TEST(WebWindowMargin, IsZeroOrMoreExactlyWhenTheWebIsInside) {
  const std::vector<WebFlow> webs = {
      FilmsAt100CmPerSecond({0.005, 0.01}),
      FilmsAt100CmPerSecond({0.0025, 0.004, 0.006}),
      FilmsAt100CmPerSecond({0.003, 0.0031, 0.005, 0.01, 0.015, 0.016, 0.003, 0.002}),
      FilmsAt100CmPerSecond({0.0029, 0.0029}),
      // 30 µm needs 971.67 Pa, 150 µm bears no more than 664.33 Pa.
      FilmsAt100CmPerSecond({0.003, 0.015}),
  };
  std::set<WebVerdict> verdicts;
  std::set<Verdict> stationVerdicts;
  for (const WebFlow& web : webs) {
    for (const double lowest : {-400.0, 0.0, 300.0, 700.0, 1100.0}) {
      for (const double span : {0.0, 50.0, 400.0, 2000.0}) {
        const OperatingPoint point = HandPoint(lowest, lowest + span);
        const CoatingWindow window = EvaluateCoatingWindow(point, web);
        const double margin = WebWindowMargin(point, web);
        EXPECT_EQ(margin >= 0, window.verdict == WebVerdict::Inside)
            << "vacuum " << lowest << " to " << lowest + span << ": " << margin;
        verdicts.insert(window.verdict);
        for (const StationWindow& station : window.stations) {
          stationVerdicts.insert(station.verdict);
        }
      }
    }
  }
  // Every way of falling outside was met.
  EXPECT_EQ(verdicts.size(), 3u);
  EXPECT_EQ(stationVerdicts.size(), 4u);
}

TEST(WebWindowMargin, IsTheWorstCountsFraction) {
  // Films of 50 and 100 µm held by 643 to 1084 Pa: within a box of 0 to 2000 Pa the span is
  // 441 Pa of the bead's 950 Pa; the thinner film is 75 % above its limit of 28.56 µm.
  const WebFlow web = FilmsAt100CmPerSecond({0.005, 0.01});
  const CoatingWindow roomy = EvaluateCoatingWindow(HandPoint(0, 2000), web);
  ASSERT_TRUE(roomy.webVacuum);
  const StationWindow& thin = roomy.stations[0];
  const double span = thin.pressures->vacuum.most - thin.pressures->vacuum.least;
  EXPECT_NEAR(span, 950, 1e-9);
  EXPECT_DOUBLE_EQ(WebWindowMargin(HandPoint(0, 2000), web),
                   (roomy.webVacuum->highest - roomy.webVacuum->lowest) / span);
  EXPECT_NEAR(WebWindowMargin(HandPoint(0, 2000), web), 441.0 / 950, 1e-4);
  // A box of 700 to 900 Pa: the 50 µm film needs 643 and bears 1593, the 100 µm one bears
  // no more than 1084 Pa: 200 Pa of 950 hold both.
  EXPECT_NEAR(WebWindowMargin(HandPoint(700, 900), web), 200.0 / 950, 1e-4);
  // Thinner than the low-flow limit, the film's shortfall over the limit.
  const WebFlow thinWeb = FilmsAt100CmPerSecond({0.0025, 0.005});
  const CoatingWindow low = EvaluateCoatingWindow(HandPoint(0, 2000), thinWeb);
  EXPECT_EQ(WebWindowMargin(HandPoint(0, 2000), thinWeb),
            low.stations[0].lowFlowMargin / low.limits.lowFlow);
}

// The window's default case at the golden operating point: stations 1-12 are up to 5.63 %
// thinner than the low-flow limit.
TEST(WebWindowMargin, OfTheDefaultDieIsItsWorstStationsShortfall) {
  const OperatingPoint point{5, 0.17, 0.2, 0.2, 0.03, 0, 300};
  const CaseCoatingWindow result = EvaluateCaseCoatingWindow(
      cases::MakeCase(cases::DefaultCaseValues()), solver::Search::Window, point);
  ASSERT_TRUE(result.window);
  const double margin = WebWindowMargin(point, *result.flow);
  EXPECT_EQ(margin, result.window->outside.front().worstMargin / result.window->limits.lowFlow);
  EXPECT_NEAR(margin, -0.0563, 0.00005);
}

// A film as thick as the gap, which the window refuses, is outside at least by its excess
// over the gap.
TEST(WebWindowMargin, OfAFilmThickerThanTheGapIsAtLeastItsExcess) {
  EXPECT_LE(WebWindowMargin(HandPoint(0, 2000), FilmsAt100CmPerSecond({0.01, 0.025})),
            (0.02 - 0.025) / 0.02);
}

}  // namespace
}  // namespace fluxeta::coating
