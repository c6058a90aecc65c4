// The coating window's limit needs a model that judges a coating window, and only such a
// model reports the window's margin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fluxeta/case/default_case.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/coating_window_limit.h"
#include "fluxeta/design/optimiser.h"

namespace fluxeta::design {
namespace {

const coating::OperatingPoint kPoint{5, 0.17, 0.2, 0.2, 0.03, 0, 300};

std::vector<std::string> FigureKeys(const DesignModel& model) {
  std::vector<std::string> keys;
  for (const FigureSpec& figure : ReportedFigures(model)) {
    keys.emplace_back(figure.key);
  }
  return keys;
}

TEST(CoatingWindowLimit, IsRefusedOfAModelWithoutAnOperatingPoint) {
  OptimiseSettings settings;
  settings.variables = {{"Lend", std::nullopt}};
  settings.limits[kCoatingWindow] = kEveryStationInside;
  const CaseDesignModel without(cases::DefaultCaseValues());
  try {
    CheckOptimise(without, settings, KeywordSettingNames("all_inputs=True"));
    ADD_FAILURE() << "no refusal";
  } catch (const DesignRefusal& refusal) {
    EXPECT_EQ(std::string(refusal.what()),
              "coating_window needs an operating point, whose coating window the design is to "
              "meet");
  }
  const CaseDesignModel with(cases::DefaultCaseValues(), Search::Robust, kPoint);
  EXPECT_NO_THROW(CheckOptimise(with, settings, KeywordSettingNames("all_inputs=True")));
}

TEST(CoatingWindowLimit, ItsMarginIsReportedWithAnOperatingPointOnly) {
  const std::vector<std::string> always = {"uniformity", "entrance_pressure_Pa",
                                           "longest_residence_time_s"};
  EXPECT_EQ(FigureKeys(CaseDesignModel(cases::DefaultCaseValues())), always);
  std::vector<std::string> judged = always;
  judged.push_back("coating_window_margin");
  EXPECT_EQ(FigureKeys(CaseDesignModel(cases::DefaultCaseValues(), Search::Robust, kPoint)),
            judged);
  // The default die's fed end is 5.63 % thinner than the low-flow limit.
  const DesignFigures figures = CaseDesignModel(cases::DefaultCaseValues(), Search::Robust, kPoint)
                                    .Evaluate(CaseDesignModel::PointOf(cases::DefaultCaseValues()));
  ASSERT_TRUE(figures.Solved());
  EXPECT_NEAR(figures.coatingWindowMargin, -0.0563, 0.00005);
}

}  // namespace
}  // namespace fluxeta::design
