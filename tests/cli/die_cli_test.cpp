// fluxeta-batch --die: a bad document refused with the key named and exit status 2, a die
// that cannot pass its flow with status 1, the exports written whole, and an export that
// would replace the document refused.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "../support/batch_process.h"
#include "../support/scratch_directory.h"

namespace fluxeta::testing {
namespace {

const std::string kTDie =
    R"({"geometry": {"family": "t-die", "width": 50, "feed": "end",
                     "manifold": {"shape": "circle", "radius": 1.0},
                     "land_length": 5.0, "gap": 0.05},
        "fluid": {"model": "newtonian", "viscosity": 1.0},
        "flow_rate": 10.0, "density": 0.0, "stations": 20})";

std::string With(std::string_view from, std::string_view to) {
  std::string text = kTDie;
  text.replace(text.find(from), from.size(), to);
  return text;
}

TEST(DieCli, RefusesABadDocumentNamingTheKeyWithStatusTwo) {
  const ScratchDirectory directory;
  const std::pair<std::string, std::string> cases[] = {
      {With(R"("gap": 0.05)", R"("gaps": 0.05)"), "geometry.gaps: unknown key"},
      {With(R"("flow_rate": 10.0, )", ""), "flow_rate: missing"},
      {With(R"("radius": 1.0)", R"("radius": "1")"),
       "geometry.manifold.radius: must be a number, not a text"},
      {With(R"("radius": 1.0)", R"("radius": 0)"),
       "geometry.manifold.radius: must be a positive number (cm), not 0"},
      {With(R"("flow_rate": 10.0)", R"("flow_rate": -1)"),
       "flow_rate: must be a positive number (cm3/s), not -1"},
      {With(R"("family": "t-die", "width": 50)",
            R"("family": "profile", "profile": "die.csv", "width": 50)"),
       "geometry.gap: unknown key"},
      {"{\"geometry\": ", "parse error at line 1"},
      // A number beyond a double is refused, not thrown past the command.
      {With(R"("flow_rate": 10.0)", R"("flow_rate": 1e700)"), "number overflow parsing '1e700'"},
  };
  for (const auto& [document, reason] : cases) {
    WriteBytes(directory.path() / "die.json", document);
    const BatchProcess run = RunBatchProcess(directory, "--die die.json");
    EXPECT_EQ(run.status, 2) << document;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }

  WriteBytes(directory.path() / "die.json",
             With(R"("family": "t-die", "width": 50, "feed": "end",
                     "manifold": {"shape": "circle", "radius": 1.0},
                     "land_length": 5.0, "gap": 0.05)",
                  R"("family": "profile", "width": 50, "profile": "die.csv")"));
  WriteBytes(directory.path() / "die.csv", "x,A,Pe,L,H\n0,3,6,3,0.05\n50,3,6,-3,0.05\n");
  BatchProcess run = RunBatchProcess(directory, "--die die.json");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err,
            "fluxeta-batch: die.csv:3: column 4 (L): must be a positive number (cm), "
            "not -3\n");

  WriteBytes(directory.path() / "die.json", kTDie);
  run = RunBatchProcess(directory, "--die die.json --stations 1");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "fluxeta-batch: --stations: must be a whole number from 2 to 100000, not 1\n");
  run = RunBatchProcess(directory, "--die gone.json");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "fluxeta-batch: die document 'gone.json': No such file or directory\n");
  run = RunBatchProcess(directory, "--die die.json --sweep gamma=0:1:2");
  EXPECT_EQ(run.status, 2);
  // A flow curve is fitted from a data file, which a die document does not take.
  run = RunBatchProcess(directory, "--die die.json --fit-liquid newtonian");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("excludes"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, "");
}

// A yield stress that the narrow manifold's pressure cannot overcome before the closed end:
// exit status 1, the verdict with where the pressure ran out, and no figures.
TEST(DieCli, SaysWhenTheDieCannotPassItsFlowWithStatusOne) {
  const ScratchDirectory directory;
  std::string document = With(R"("radius": 1.0)", R"("radius": 0.1)");
  const std::string_view newtonian = R"({"model": "newtonian", "viscosity": 1.0})";
  document.replace(document.find(newtonian), newtonian.size(),
                   R"({"model": "bingham", "tau_y": 100.0, "K": 1.0})");
  WriteBytes(directory.path() / "die.json", document);
  const BatchProcess run = RunBatchProcess(directory, "--die die.json --table json");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.err, "");
  const nlohmann::json table = nlohmann::json::parse(run.out);
  EXPECT_EQ(table["status"], "no_physical_solution");
  EXPECT_EQ(table["message"],
            "no_physical_solution: the pressure runs out at 35.47 cm from the feed (station 15) "
            "while liquid remains");
  for (const char* figure : {"entrancePressure", "DelQRms", "uniformity", "flowRatio"}) {
    EXPECT_TRUE(table[figure]["value"].is_null()) << figure;
  }
  const nlohmann::json& stations = table["stations"];
  ASSERT_EQ(stations.size(), 20u);
  EXPECT_GT(stations[14]["P"].get<double>(), 0);
  EXPECT_TRUE(stations[16]["P"].is_null());
}

TEST(DieCli, WritesTheExportsAndRefusesOneThatWouldReplaceTheDocument) {
  const ScratchDirectory directory;
  WriteBytes(directory.path() / "die.json", kTDie);
  BatchProcess run =
      RunBatchProcess(directory, "--die die.json --export-geometry g.csv --export-dxf d.dxf");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string geometry = FileBytes(directory.path() / "g.csv").value_or("");
  EXPECT_EQ(geometry.substr(0, geometry.find('\n', geometry.find('\n') + 1) + 1),
            "station,x (cm),R (cm),A (cm2),Pe (cm),L (cm),H (cm)\n"
            "1,0,1,3.141592653589793,6.283185307179586,5,0.05\n");
  const std::string drawing = FileBytes(directory.path() / "d.dxf").value_or("");
  for (const char* layer : {"EXIT", "LAND_EDGE", "MANIFOLD_CENTRE", "MANIFOLD_EDGE"}) {
    EXPECT_NE(drawing.find(std::string("\n") + layer + "\n"), std::string::npos) << layer;
  }
  EXPECT_EQ(drawing.substr(drawing.size() - 4), "EOF\n");

  run = RunBatchProcess(directory, "--die die.json --export-dxf die.json");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(FileBytes(directory.path() / "die.json").value_or(""), kTDie);
}

}  // namespace
}  // namespace fluxeta::testing
