// fluxeta-batch --optimise … --coating-window: every station inside the coating window as a
// limit of the design search, its margin in the report and the history, and the refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "../support/batch_process.h"

namespace fluxeta::cli {
namespace {

using nlohmann::json;
using testing::RunBatchProcess;
using testing::ScratchDirectory;
using testing::WriteBytes;

// The golden operating point, at which the default die's fed end is low_flow.
json OperatingPoint() {
  return {{"web_speed", 5},        {"coating_gap", 0.17},     {"upstream_lip", 0.2},
          {"downstream_lip", 0.2}, {"surface_tension", 0.03}, {"vacuum", {0, 300}}};
}

// The data file of the inputs of a design report, in their order.
std::string DataFileOf(const nlohmann::ordered_json& inputs) {
  std::string text;
  for (const auto& [name, value] : inputs.items()) {
    text += name + " = " + value.dump() + "\n";
  }
  return text;
}

// The cheapest die of uniformity 0.9 puts its fed end outside the window; with the limit the
// search pays for a more even die whose whole web is inside, and the window of the chosen
// design says so.
TEST(CoatingWindowLimitCli, ChoosesADesignWhoseWholeWebIsInside) {
  const ScratchDirectory scratch;
  WriteBytes(scratch.path() / "point.json", OperatingPoint().dump());
  const std::string search = "--optimise Lend --objective pressure --min-uniformity 0.9 ";
  const auto free = RunBatchProcess(scratch, search + "-o free.txt");
  ASSERT_EQ(free.status, 0) << free.err;
  const auto held = RunBatchProcess(
      scratch, search + "--coating-window point.json -o held.txt --history history.csv");
  ASSERT_EQ(held.status, 0) << held.err;
  const auto freeReport = nlohmann::ordered_json::parse(free.out);
  const auto heldReport = nlohmann::ordered_json::parse(held.out);
  EXPECT_FALSE(freeReport.contains("coating_window_margin"));
  EXPECT_GE(heldReport["coating_window_margin"].get<double>(), 0);
  EXPECT_GT(heldReport["uniformity"].get<double>(), freeReport["uniformity"].get<double>());
  EXPECT_TRUE(std::filesystem::exists(scratch.path() / "held.txt"));

  const auto verdictOf = [&scratch](const nlohmann::ordered_json& report) {
    WriteBytes(scratch.path() / "design.txt", DataFileOf(report["inputs"]));
    const auto window = RunBatchProcess(scratch,
                                        "design.txt --search robust --coating-window point.json "
                                        "--table json");
    EXPECT_EQ(window.status, 0) << window.err;
    return json::parse(window.out)["verdict"].get<std::string>();
  };
  EXPECT_EQ(verdictOf(freeReport), "outside");
  EXPECT_EQ(verdictOf(heldReport), "inside");

  // Every candidate's margin is in the history, after the other figures.
  const std::string history = testing::FileBytes(scratch.path() / "history.csv").value();
  EXPECT_EQ(history.substr(0, history.find('\n')),
            "evaluation,Lend,status,feasible,uniformity,entrance_pressure_Pa,"
            "longest_residence_time_s,coating_window_margin");
}

TEST(CoatingWindowLimitCli, SaysNoDesignMeetsAWindowNoneCanReach) {
  const ScratchDirectory scratch;
  // Over a 2.5 mm gap the bead forms no film thinner than about 1.35 mm.
  json point = OperatingPoint();
  point["coating_gap"] = 0.25;
  WriteBytes(scratch.path() / "point.json", point.dump());
  const auto result =
      RunBatchProcess(scratch, "--optimise Lend --coating-window point.json -o r.txt");
  EXPECT_EQ(result.status, 5);
  EXPECT_NE(result.err.find("no design meets the settings: no candidate met coating window "
                            "margin >= 0 in "),
            std::string::npos)
      << result.err;
  EXPECT_LT(json::parse(result.out)["coating_window_margin"].get<double>(), 0);
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "r.txt"));
}

TEST(CoatingWindowLimitCli, RefusesABadOperatingPointBeforeTheSearch) {
  const ScratchDirectory scratch;
  json point = OperatingPoint();
  point["upstream_lip"] = -0.2;
  WriteBytes(scratch.path() / "point.json", point.dump());
  const auto result = RunBatchProcess(
      scratch, "--optimise Lend --coating-window point.json -o r.txt --history h.csv");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fluxeta-batch: operating point 'point.json': upstream_lip: must be a positive "
            "number (cm), not -0.2\n");
  EXPECT_EQ(result.out, "");
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "r.txt"));
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "h.csv"));

  const auto missing = RunBatchProcess(scratch, "--optimise Lend --coating-window none.json");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "fluxeta-batch: operating point 'none.json': No such file or directory\n");
}

// The window is a limit of the optimiser only: the other design commands refuse it, and the
// window alone still writes no result file.
TEST(CoatingWindowLimitCli, IsALimitOfTheOptimiserAlone) {
  const ScratchDirectory scratch;
  WriteBytes(scratch.path() / "point.json", OperatingPoint().dump());
  for (const std::string other :
       {"--sensitivity", "--tolerance H=±0.0005", "--operating-window Qin=10:60:2",
        "--optimise Lend --tolerance H=±0.0005"}) {
    const auto result = RunBatchProcess(scratch, other + " --coating-window point.json");
    EXPECT_EQ(result.status, 2) << other;
    EXPECT_EQ(result.out, "") << other;
  }
  const auto alone = RunBatchProcess(scratch, "--coating-window point.json -o r.txt");
  EXPECT_EQ(alone.status, 2);
  EXPECT_EQ(alone.err, "fluxeta-batch: -o: --coating-window alone writes no result file\n");
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "r.txt"));
}

}  // namespace
}  // namespace fluxeta::cli
