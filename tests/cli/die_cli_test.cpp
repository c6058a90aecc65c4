// fluxeta-batch --die: a bad document refused with the key named and exit status 2, a die
// that cannot pass its flow with status 1, the exports written whole, and an export that
// would replace the document refused; studies of the document's numbers by their paths.
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

TEST(DieCli, AStudyNamesTheDocumentsNumbersByTheirPathsAndRefusesOthers) {
  const ScratchDirectory directory;
  WriteBytes(directory.path() / "die.json", kTDie);
  const std::pair<std::string, std::string> refused[] = {
      {"--sweep geometry.manifold.diameter=1:2:2",
       "fluxeta-batch: --sweep 'geometry.manifold.diameter=1:2:2': key "
       "geometry.manifold.diameter: the die document has no such key\n"},
      {"--sweep fluid.model=1:2:2",
       "fluxeta-batch: --sweep 'fluid.model=1:2:2': key fluid.model: is not a number in the die "
       "document\n"},
      {"--sweep flow_rate=1:2:2 --sweep flow_rate=3:4:2",
       "fluxeta-batch: input 'flow_rate' is varied twice\n"},
      {"--cases cases.csv",
       "fluxeta-batch: cases file 'cases.csv', header: key gap: the die document has no such "
       "key\n"},
      // The study's -o may not replace the document it reads.
      {"--sweep flow_rate=1:2:2 -o die.json",
       "fluxeta-batch: the output 'die.json' is the die document 'die.json'; nothing is "
       "written\n"},
      {"--sweep flow_rate=1:2:2 --stations 1",
       "fluxeta-batch: --stations: must be a whole number from 2 to 100000, not 1\n"},
  };
  WriteBytes(directory.path() / "cases.csv", "gap\n0.05\n");
  for (const auto& [arguments, reason] : refused) {
    const BatchProcess run = RunBatchProcess(directory, "--die die.json " + arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.err, reason);
    EXPECT_EQ(run.out, "");
  }
  // One solve's outputs do not go with a study of many.
  for (const char* single :
       {"--refine", "--export-geometry g.csv", "--export-dxf d.dxf", "--table csv"}) {
    const BatchProcess run =
        RunBatchProcess(directory, std::string("--die die.json --sweep flow_rate=1:2:2 ") + single);
    EXPECT_EQ(run.status, 2) << single;
    EXPECT_NE(run.err.find("excludes"), std::string::npos) << run.err;
  }

  const BatchProcess run =
      RunBatchProcess(directory, "--die die.json --sweep flow_rate=5:10:2 -o rows.csv -j 2");
  EXPECT_EQ(run.status, 0) << run.err;
  const std::string rows = FileBytes(directory.path() / "rows.csv").value_or("");
  EXPECT_TRUE(
      rows.starts_with("flow_rate,converged,status,sweeps,outcome,entrance_pressure_Pa,"
                       "uniformity,DelQRms,Q_DIFF_min,Q_DIFF_max,flow_ratio\n5,true,"))
      << rows;
}

TEST(DieCli, ADesignNamesTheDocumentsKeysAndWritesTheBestDocumentWhole) {
  const ScratchDirectory directory;
  WriteBytes(directory.path() / "die.json", kTDie);
  const std::pair<std::string, std::string> refused[] = {
      {"--optimise geometry.land_length=2:20",
       "fluxeta-batch: --optimise with --die: name the file of the best die document with -o "
       "FILE.json\n"},
      {"--optimise geometry.manifold.radius -o best.json",
       "fluxeta-batch: key 'geometry.manifold.radius' has no plausible range; give its "
       "bounds\n"},
      {"--optimise geometry.family=1:2 -o best.json",
       "fluxeta-batch: unknown key 'geometry.family'; the keys are density, flow_rate, "
       "fluid.viscosity, friction_factor, geometry.gap, geometry.land_length, "
       "geometry.manifold.radius, geometry.width, inertia_factor\n"},
      {"--tolerance geometry.gap=±2", "fluxeta-batch: the tolerance of 'geometry.gap'"},
      {"--optimise geometry.land_length=2:20 -o die.json",
       "fluxeta-batch: the output 'die.json' is the die document 'die.json'; nothing is "
       "written\n"},
      {"--sensitivity --export-dxf d.dxf", "excludes"},
  };
  for (const auto& [arguments, reason] : refused) {
    const BatchProcess run = RunBatchProcess(directory, "--die die.json " + arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_NE(run.err.find(reason), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(FileBytes(directory.path() / "best.json"));
  }
  // No design meets a pressure below the die's least: no document, the report and status 5.
  BatchProcess run = RunBatchProcess(
      directory,
      "--die die.json --optimise geometry.land_length=2:20 --max-pressure 1 -o best.json");
  EXPECT_EQ(run.status, 5) << run.err;
  EXPECT_NE(run.out.find("\"status\": \"infeasible\""), std::string::npos) << run.out;
  EXPECT_FALSE(FileBytes(directory.path() / "best.json"));

  run = RunBatchProcess(directory,
                        "--die die.json --optimise geometry.land_length=2:20 --max-pressure "
                        "150000 -o best.json");
  EXPECT_EQ(run.status, 0) << run.err;
  // The best document is a die document that solves to the report's figures.
  const BatchProcess best = RunBatchProcess(directory, "--die best.json --table json");
  EXPECT_EQ(best.status, 0) << best.err;
  const std::string reportKey = "\"uniformity\": ";
  const std::string tableKey = "\"uniformity\": {\"value\": ";
  const std::string reported = run.out.substr(run.out.find(reportKey) + reportKey.size());
  const std::string solved = best.out.substr(best.out.find(tableKey) + tableKey.size());
  EXPECT_EQ(reported.substr(0, reported.find(',')), solved.substr(0, solved.find(',')));
}

}  // namespace
}  // namespace fluxeta::testing
