// fluxeta-batch --fit-liquid: the liquid document it writes, its refusals and exit statuses.
#include <gtest/gtest.h>

#include <string>

#include <nlohmann/json.hpp>

#include "../support/batch_process.h"
#include "../support/expected_files.h"
#include "../support/scratch_directory.h"
#include "fluxeta/case/liquid_document.h"

namespace fluxeta::cli {
namespace {

using testing::RunBatchProcess;
using testing::ScratchDirectory;

// A power law K = 2 Pa.s^n, n = 0.5, measured exactly.
constexpr const char* kPowerLawCurve = "rate,eta\n1,2\n4,1\n16,0.5\n64,0.25\n";

TEST(FitLiquidCli, WritesALiquidDocumentThatReadsBack) {
  const ScratchDirectory scratch;
  testing::WriteBytes(scratch.path() / "curve.csv", kPowerLawCurve);
  const auto result = RunBatchProcess(scratch, "--fit-liquid power-law curve.csv -o liquid.json");
  ASSERT_EQ(result.status, 0) << result.err;
  const auto printed = nlohmann::json::parse(result.out);
  EXPECT_EQ(printed["model"], "power-law");
  EXPECT_NEAR(printed["parameters"]["K"].get<double>(), 2, 1e-9);
  EXPECT_NEAR(printed["parameters"]["n"].get<double>(), 0.5, 1e-9);
  EXPECT_EQ(printed["units"]["K"], "Pa.s^n");

  const auto written = testing::FileBytes(scratch.path() / "liquid.json");
  ASSERT_TRUE(written.has_value());
  const cases::LiquidDocument liquid =
      cases::ReadLiquidDocument(nlohmann::json::parse(*written), "fluid");
  EXPECT_EQ(liquid.model, cases::LiquidModel::PowerLaw);
  EXPECT_EQ(liquid.Parameter("K"), printed["parameters"]["K"].get<double>());
  EXPECT_EQ(liquid.source, "fitted to curve.csv");
}

TEST(FitLiquidCli, RefusesWhatItCannotFitWithStatusTwo) {
  const ScratchDirectory scratch;
  testing::WriteBytes(scratch.path() / "curve.csv", "1,2\n4,0\n");
  auto result = RunBatchProcess(scratch, "--fit-liquid power-law curve.csv -o liquid.json");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "fluxeta-batch: curve.csv:2: the viscosity must be positive, not 0\n");
  EXPECT_EQ(result.out, "");
  EXPECT_FALSE(testing::FileBytes(scratch.path() / "liquid.json").has_value());

  testing::WriteBytes(scratch.path() / "curve.csv", "1,2\n");
  result = RunBatchProcess(scratch, "--fit-liquid cross curve.csv");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fluxeta-batch: curve.csv: 1 points cannot fit the 4 parameters of cross\n");

  result = RunBatchProcess(scratch, "--fit-liquid honey curve.csv");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err.substr(0, 55), "fluxeta-batch: --fit-liquid: unknown liquid model 'hone");

  result = RunBatchProcess(scratch, "--fit-liquid cross");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "fluxeta-batch: --fit-liquid: name the flow curve's CSV file\n");

  result = RunBatchProcess(scratch, "--fit-liquid cross missing.csv");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "fluxeta-batch: flow curve 'missing.csv': No such file or directory\n");
}

}  // namespace
}  // namespace fluxeta::cli
