#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "fluxeta/liquids/flow_curve_fit.h"
#include "fluxeta/liquids/liquid.h"

namespace fluxeta::liquids {
namespace {

std::string Text(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(ExampleLiquids, EveryExampleIsALiquidWithAnIllustrativeSource) {
  int examples = 0;
  for (const auto& entry : std::filesystem::directory_iterator(FLUXETA_EXAMPLE_LIQUIDS)) {
    if (entry.path().extension() != ".json") {
      continue;
    }
    const cases::LiquidDocument document =
        cases::ReadLiquidDocument(nlohmann::json::parse(Text(entry.path())), "fluid");
    EXPECT_EQ(document.source, "illustrative") << entry.path();
    EXPECT_FALSE(document.name.empty()) << entry.path();
    const Liquid liquid = MakeLiquid(document);
    EXPECT_GT(liquid.SlotFlowPerWidth(1e3, 0.05), 0) << entry.path();
    ++examples;
  }
  EXPECT_EQ(examples, 3);
}

TEST(ExampleLiquids, TheSlurrysFlowCurveFitsTheSlurry) {
  const std::filesystem::path folder = FLUXETA_EXAMPLE_LIQUIDS;
  const FlowCurveFit fit =
      FitFlowCurve(cases::LiquidModel::CarreauYasuda,
                   ReadFlowCurveCsv(Text(folder / "slurry_flow_curve.csv"), "curve"), "curve");
  const cases::LiquidDocument slurry = cases::ReadLiquidDocument(
      nlohmann::json::parse(Text(folder / "shear_thinning_slurry.json")), "fluid");
  for (const char* key : {"eta0", "lambda", "n"}) {
    EXPECT_NEAR(fit.liquid.Parameter(key) / slurry.Parameter(key), 1, 0.02) << key;
  }
  EXPECT_NEAR(fit.liquid.Parameter("a") / slurry.Parameter("a"), 1, 0.05);
}

}  // namespace
}  // namespace fluxeta::liquids
