// fluxeta-batch --coating-window: the operating point's refusals, the die it judges (the
// window's case or a die document), and the exit statuses.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "../support/batch_process.h"
#include "../support/expected_files.h"
#include "../support/scratch_directory.h"

namespace fluxeta::cli {
namespace {

using nlohmann::json;
using testing::RunBatchProcess;
using testing::ScratchDirectory;

json OperatingPoint() {
  return {{"web_speed", 5},        {"coating_gap", 0.17},     {"upstream_lip", 0.2},
          {"downstream_lip", 0.2}, {"surface_tension", 0.03}, {"vacuum", {0, 300}}};
}

void WriteOperatingPoint(const ScratchDirectory& directory, const json& point) {
  testing::WriteBytes(directory.path() / "point.json", point.dump());
}

// The data file of the default case with the editable values of `values` (input order).
void WriteDataFile(const ScratchDirectory& directory, const std::vector<std::string>& values) {
  std::string text;
  for (std::size_t k = 0; k < values.size(); ++k) {
    text += "input " + std::to_string(k + 1) + " = " + values[k] + "\r\n";
  }
  testing::WriteBytes(directory.path() / "case.txt", text);
}

TEST(CoatingWindowCli, RefusesAnOperatingPointNamingTheKey) {
  const ScratchDirectory scratch;
  const std::string named = "fluxeta-batch: operating point 'point.json': ";
  const std::vector<std::pair<std::string, std::string>> sizes = {
      {"web_speed", "cm/s"},    {"coating_gap", "cm"},      {"upstream_lip", "cm"},
      {"downstream_lip", "cm"}, {"surface_tension", "N/m"},
  };
  for (const auto& [key, unit] : sizes) {
    for (const double value : {0.0, -1.0}) {
      json point = OperatingPoint();
      point[key] = value;
      WriteOperatingPoint(scratch, point);
      const auto result = RunBatchProcess(scratch, "--coating-window point.json");
      EXPECT_EQ(result.status, 2) << key;
      EXPECT_EQ(result.err, named + key + ": must be a positive number (" + unit + "), not " +
                                (value == 0 ? "0" : "-1") + "\n");
      EXPECT_EQ(result.out, "");
    }
  }
  // At 1 cm/s the default die lays 4.3 mm at its fed edge, more than the 1.7 mm gap.
  json slow = OperatingPoint();
  slow["web_speed"] = 1;
  WriteOperatingPoint(scratch, slow);
  const auto thick = RunBatchProcess(scratch, "--coating-window point.json");
  EXPECT_EQ(thick.status, 2);
  EXPECT_EQ(thick.err, named +
                           "coating_gap: must be wider than the wet film, 0.17 cm is not above "
                           "the film of 0.4342328624879545 cm at station 1\n");
  EXPECT_EQ(thick.out, "");
}

TEST(CoatingWindowCli, RefusesAFileThatHoldsNoOperatingPoint) {
  const ScratchDirectory scratch;
  const auto missing = RunBatchProcess(scratch, "--coating-window none.json");
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "fluxeta-batch: operating point 'none.json': No such file or directory\n");
  testing::WriteBytes(scratch.path() / "point.json", "{\"web_speed\": 5,");
  const auto cut = RunBatchProcess(scratch, "--coating-window point.json");
  EXPECT_EQ(cut.status, 2);
  EXPECT_EQ(cut.err.rfind("fluxeta-batch: operating point 'point.json': not JSON: parse error", 0),
            0u)
      << cut.err;
  // A number beyond a double is refused by its key, not thrown past the command.
  testing::WriteBytes(scratch.path() / "point.json", "{\"web_speed\": 1e700}");
  const auto huge = RunBatchProcess(scratch, "--coating-window point.json");
  EXPECT_EQ(huge.status, 2);
  EXPECT_EQ(huge.err,
            "fluxeta-batch: operating point 'point.json': web_speed: number overflow parsing "
            "'1e700'\n");
  EXPECT_EQ(huge.out, "");
  json point = OperatingPoint();
  point["vacuum"] = {0, 1};
  testing::WriteBytes(scratch.path() / "point.json",
                      point.dump().replace(point.dump().find("[0,1]"), 5, "[0,-1e700]"));
  const auto deep = RunBatchProcess(scratch, "--coating-window point.json");
  EXPECT_EQ(deep.status, 2);
  EXPECT_EQ(deep.err,
            "fluxeta-batch: operating point 'point.json': vacuum[1]: number overflow parsing "
            "'-1e700'\n");
  const auto device = RunBatchProcess(scratch, "--coating-window /dev/zero");
  EXPECT_EQ(device.status, 2);
  EXPECT_EQ(device.err, "fluxeta-batch: operating point '/dev/zero': more than 1048576 bytes\n");
  // Nothing is written, so a result file named for it is refused rather than ignored.
  WriteOperatingPoint(scratch, OperatingPoint());
  EXPECT_EQ(RunBatchProcess(scratch, "--coating-window point.json -o r.txt").status, 2);
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "r.txt"));
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "Result.txt"));
}

// The window judges the die of the data file, and its flows per width are the station table's
// slot flows over their intervals of W/50.
TEST(CoatingWindowCli, JudgesTheDieOfTheDataFile) {
  const ScratchDirectory scratch;
  json fast = OperatingPoint();
  fast["web_speed"] = 10;
  WriteOperatingPoint(scratch, fast);
  WriteDataFile(scratch, {"3.0", "0.1", "6.14", "3.0", "2.5", "50.0", "0.0254", "16.0", "1.3",
                          "10.0", "1.0", "0.5", "50.0", "1.2", "40.0"});
  const auto window = RunBatchProcess(scratch, "case.txt --coating-window point.json --table json");
  ASSERT_EQ(window.status, 0) << window.err;
  const auto table = RunBatchProcess(scratch, "case.txt --table json -o r.txt");
  ASSERT_EQ(table.status, 0) << table.err;
  const json stations = json::parse(window.out)["stations"];
  const json rows = json::parse(table.out)["stations"];
  ASSERT_EQ(stations.size(), 50u);
  for (std::size_t k = 0; k < 50; ++k) {
    EXPECT_EQ(stations[k]["x"], rows[k]["X"]);
    EXPECT_EQ(stations[k]["flow_per_width"].get<double>(), rows[k]["DelQ"].get<double>() / 1.0);
  }
}

TEST(CoatingWindowCli, SaysWhenTheDieIsNotSolved) {
  const ScratchDirectory scratch;
  WriteOperatingPoint(scratch, OperatingPoint());
  WriteDataFile(scratch, {"7.42", "1.44", "9.66", "1.32", "0.564", "149", "0.045", "16", "0.942",
                          "10", "1", "0.5", "50", "1.37", "20.3"});
  const auto robust =
      RunBatchProcess(scratch, "case.txt --search robust --coating-window point.json");
  EXPECT_EQ(robust.status, 1);
  EXPECT_EQ(robust.err,
            "fluxeta-batch: the die is not solved (no_physical_solution); the coating window "
            "needs a converged die\n");
  EXPECT_EQ(robust.out, "");
  const auto window = RunBatchProcess(scratch, "case.txt --coating-window point.json");
  EXPECT_EQ(window.status, 1);
  EXPECT_EQ(window.err,
            "fluxeta-batch: the die is not solved (not_converged); the coating window needs a "
            "converged die\n");
}

// An end-fed T-die of a Newtonian liquid: its slot flow falls towards the closed end.
const std::string kTDie =
    R"({"geometry": {"family": "t-die", "width": 50, "feed": "end",
                     "manifold": {"shape": "circle", "radius": 0.5},
                     "land_length": 5.0, "gap": 0.05},
        "fluid": {"model": "newtonian", "viscosity": 1.0},
        "flow_rate": 10.0, "density": 0.0, "stations": 20})";

// The window of a die document judges the flow of the die's own station table: station i's
// slot flow over its width of W/N, at its X, whatever the number of stations.
TEST(CoatingWindowCli, JudgesTheDieOfADieDocument) {
  const ScratchDirectory scratch;
  json fast = OperatingPoint();
  fast["web_speed"] = 10;
  fast["coating_gap"] = 0.05;
  WriteOperatingPoint(scratch, fast);
  testing::WriteBytes(scratch.path() / "die.json", kTDie);
  for (const int stations : {20, 7}) {
    const std::string count = " --stations " + std::to_string(stations);
    const auto window =
        RunBatchProcess(scratch, "--die die.json --coating-window point.json --table json" + count);
    ASSERT_EQ(window.status, 0) << window.err;
    const auto table = RunBatchProcess(scratch, "--die die.json --table json" + count);
    ASSERT_EQ(table.status, 0) << table.err;
    const json stationRows = json::parse(window.out)["stations"];
    const json rows = json::parse(table.out)["stations"];
    ASSERT_EQ(stationRows.size(), static_cast<std::size_t>(stations));
    const double stationWidth = 50.0 / stations;
    for (int k = 0; k < stations; ++k) {
      EXPECT_EQ(stationRows[k]["x"], rows[k]["X"]);
      EXPECT_EQ(stationRows[k]["flow_per_width"].get<double>(),
                rows[k]["DelQ"].get<double>() / stationWidth);
    }
    // 10 cm3/s over 50 cm at 10 cm/s: 0.02 cm on average, thicker at the fed end.
    EXPECT_GT(stationRows[0]["wet_thickness"].get<double>(), 0.02);
    EXPECT_LT(stationRows[stations - 1]["wet_thickness"].get<double>(), 0.02);
  }
}

TEST(CoatingWindowCli, RefusesADieDocumentOrAnOperatingPointItCannotJudge) {
  const ScratchDirectory scratch;
  WriteOperatingPoint(scratch, OperatingPoint());
  std::string refused = kTDie;
  refused.replace(refused.find("\"gap\": 0.05"), 11, "\"gap\": 0");
  testing::WriteBytes(scratch.path() / "die.json", refused);
  const auto badDie = RunBatchProcess(scratch, "--die die.json --coating-window point.json");
  EXPECT_EQ(badDie.status, 2);
  EXPECT_EQ(badDie.err, "fluxeta-batch: geometry.gap: must be a positive number (cm), not 0\n");
  EXPECT_EQ(badDie.out, "");

  testing::WriteBytes(scratch.path() / "die.json", kTDie);
  const auto odd = RunBatchProcess(scratch,
                                   "--die die.json --coating-window point.json "
                                   "--stations 0");
  EXPECT_EQ(odd.status, 2);
  EXPECT_EQ(odd.err.rfind("fluxeta-batch: --stations: ", 0), 0u) << odd.err;

  json point = OperatingPoint();
  point["surface_tension"] = 0;
  WriteOperatingPoint(scratch, point);
  const auto badPoint = RunBatchProcess(scratch, "--die die.json --coating-window point.json");
  EXPECT_EQ(badPoint.status, 2);
  EXPECT_EQ(badPoint.err,
            "fluxeta-batch: operating point 'point.json': surface_tension: must be a positive "
            "number (N/m), not 0\n");

  // 10 cm3/s over 50 cm at 1 cm/s lays films of about 2 mm, more than the 1.7 mm gap.
  point = OperatingPoint();
  point["web_speed"] = 1;
  WriteOperatingPoint(scratch, point);
  const auto thick = RunBatchProcess(scratch, "--die die.json --coating-window point.json");
  EXPECT_EQ(thick.status, 2);
  EXPECT_EQ(thick.err.rfind("fluxeta-batch: operating point 'point.json': coating_gap: must be "
                            "wider than the wet film, 0.17 cm is not above the film of ",
                            0),
            0u)
      << thick.err;
  EXPECT_EQ(thick.out, "");

  // The window is all it prints: the die's own outputs are refused beside it.
  WriteOperatingPoint(scratch, OperatingPoint());
  for (const std::string other : {"--refine", "--export-geometry g.csv", "--export-dxf d.dxf"}) {
    const auto both =
        RunBatchProcess(scratch, "--die die.json --coating-window point.json " + other);
    EXPECT_EQ(both.status, 2) << other;
    EXPECT_EQ(both.out, "") << other;
  }
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "g.csv"));
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "d.dxf"));
}

TEST(CoatingWindowCli, SaysWhyTheDieOfADieDocumentIsNotSolved) {
  const ScratchDirectory scratch;
  WriteOperatingPoint(scratch, OperatingPoint());
  std::string narrow = kTDie;
  narrow.replace(narrow.find("\"radius\": 0.5"), 13, "\"radius\": 0.05");
  testing::WriteBytes(scratch.path() / "die.json", narrow);
  const auto window = RunBatchProcess(scratch, "--die die.json --coating-window point.json");
  EXPECT_EQ(window.status, 1);
  EXPECT_EQ(window.err,
            "fluxeta-batch: the die is not solved (no_physical_solution: the manifold runs empty "
            "at 30.1 cm from the feed (station 13), before the closed end); the coating window "
            "needs a converged die\n");
  EXPECT_EQ(window.out, "");
}

}  // namespace
}  // namespace fluxeta::cli
