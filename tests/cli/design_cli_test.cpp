// The design commands of fluxeta-batch as a user meets them: which files they may write,
// which failures they report as failures, which settings and combinations they refuse.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "../support/batch_process.h"

namespace fluxeta::cli {
namespace {

using nlohmann::json;
using testing::BatchProcess;
using testing::FileBytes;
using testing::RunBatchProcess;
using testing::ScratchDirectory;
using testing::WriteBytes;

constexpr int kRefusedInput = 2;
constexpr int kFileFailure = 4;
constexpr int kInfeasibleDesign = 5;
constexpr int kSearchStopped = 6;
constexpr int kIncompleteBand = 7;

// The fifteen lines of a data file of the default case with the slot gap `gap` (cm).
std::string DataFileWithGap(const std::string& gap) {
  return "Ain = 3.0\ngamma = 0.1\nPein = 6.14\nLin = 3.0\nLend = 2.5\nW = 66.0\nH = " + gap +
         "\nlambda = 16.0\nalpha = 1.3\neta0 = 10.0\ngamma0 = 1.0\nn = 0.5\ngammacr = 50.0\n"
         "rho = 1.2\nQin = 33.0\n";
}

json Report(const BatchProcess& result) {
  return json::parse(result.out);  // throws, failing the test, unless one JSON document
}

// Items of the history and result file: each names a file another output or an input owns.
TEST(DesignOutputs, AHistoryThatIsTheDataFileIsRefusedAndTheDataFileKept) {
  const ScratchDirectory scratch;
  const std::string data = DataFileWithGap("0.0254");
  WriteBytes(scratch.path() / "case.txt", data);
  const auto result =
      RunBatchProcess(scratch, "case.txt --optimise Lend -o r.txt --history case.txt");
  EXPECT_EQ(result.status, kRefusedInput);
  EXPECT_EQ(result.err,
            "fluxeta-batch: the history 'case.txt' is the data file 'case.txt'; nothing is "
            "written\n");
  EXPECT_EQ(FileBytes(scratch.path() / "case.txt"), data);
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "r.txt"));
}

TEST(DesignOutputs, AHistoryThatIsTheResultFileIsRefused) {
  const ScratchDirectory scratch;
  auto result = RunBatchProcess(scratch, "--optimise Lend -o same.txt --history same.txt");
  EXPECT_EQ(result.status, kRefusedInput);
  EXPECT_EQ(result.err,
            "fluxeta-batch: the history 'same.txt' is the output 'same.txt'; nothing is written\n");
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "same.txt"));
  // Also when the names differ but the file is one.
  std::filesystem::create_directory(scratch.path() / "sub");
  result = RunBatchProcess(scratch, "--optimise Lend -o ./sub/../same.txt --history same.txt");
  EXPECT_EQ(result.status, kRefusedInput);
}

TEST(DesignOutputs, NoHistoryIsWrittenWhenTheResultFileCannotBe) {
  const ScratchDirectory scratch;
  const auto result = RunBatchProcess(scratch, "--optimise Lend -o missing/r.txt --history h.csv");
  EXPECT_EQ(result.status, kFileFailure);
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "h.csv"));
  EXPECT_EQ(result.out, "");
}

// A search or band that gives no answer ends with a status of its own and says why.
TEST(DesignFailures, AnInfeasibleSearchExitsFiveAndLeavesTheOldResultFile) {
  const ScratchDirectory scratch;
  WriteBytes(scratch.path() / "Result.txt", "an earlier answer");
  const auto result = RunBatchProcess(scratch, "--optimise Lend --max-pressure 1 --history h.csv");
  EXPECT_EQ(result.status, kInfeasibleDesign);
  EXPECT_EQ(Report(result)["status"], "infeasible");
  EXPECT_EQ(result.err,
            "fluxeta-batch: no design meets the settings: no candidate met entrance pressure <= 1 "
            "Pa in 60 evaluations; the report gives the best candidate, and no result file "
            "'Result.txt' is written\n");
  EXPECT_EQ(FileBytes(scratch.path() / "Result.txt"), "an earlier answer");
  // The history of the search is kept: it shows why nothing met the limit.
  EXPECT_TRUE(std::filesystem::exists(scratch.path() / "h.csv"));
}

TEST(DesignFailures, ASearchWhoseBudgetRunsOutExitsSix) {
  const ScratchDirectory scratch;
  const auto result = RunBatchProcess(scratch, "--optimise Lend --max-evaluations 5");
  EXPECT_EQ(result.status, kSearchStopped);
  const json report = Report(result);
  EXPECT_EQ(report["status"], "stopped");
  EXPECT_EQ(report["evaluations"], 5);
  EXPECT_NE(result.err.find("the search stopped before it converged"), std::string::npos)
      << result.err;
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "Result.txt"));
}

TEST(DesignFailures, ABandWithAnUnsolvedPointExitsSevenWithNoFigures) {
  const ScratchDirectory scratch;
  // A gap of 0.3 cm solves; 0.5 cm falls in a regime gap.
  WriteBytes(scratch.path() / "wide.txt", DataFileWithGap("0.3"));
  const auto result = RunBatchProcess(scratch, "wide.txt --tolerance H=±0.2");
  EXPECT_EQ(result.status, kIncompleteBand);
  EXPECT_EQ(result.err,
            "fluxeta-batch: the tolerance band is incomplete: 1 of 2 corners could not be "
            "solved, the first at H = 0.5 (regime_gap); no band is given\n");
  const json report = Report(result);
  EXPECT_EQ(report["unsolved_corners"], 1);
  EXPECT_TRUE(report["uniformity"].is_number());
  for (const char* figure : {"worst_uniformity", "best_uniformity", "lowest_entrance_pressure_Pa",
                             "highest_entrance_pressure_Pa", "worst_uniformity_inputs"}) {
    EXPECT_TRUE(report[figure].is_null()) << figure;
  }

  // With the centre unsolved too, no die of zeros stands in for the worst point.
  WriteBytes(scratch.path() / "gap.txt", DataFileWithGap("0.5"));
  const auto centre = RunBatchProcess(scratch, "gap.txt --tolerance H=±0.2");
  EXPECT_EQ(centre.status, kIncompleteBand);
  EXPECT_TRUE(Report(centre)["worst_uniformity_inputs"].is_null());
}

// A limit that no candidate comes near leaves the search as it is without it.
TEST(DesignFailures, ALimitThatCannotBindChangesNothing) {
  const ScratchDirectory scratch;
  const json free = Report(RunBatchProcess(scratch, "--optimise Lend --optimise gamma"));
  for (const char* limit : {"--max-pressure 1e9", "--max-residence-time 1000"}) {
    const auto result =
        RunBatchProcess(scratch, std::string("--optimise Lend --optimise gamma ") + limit);
    EXPECT_EQ(result.status, 0) << limit;
    const json limited = Report(result);
    EXPECT_EQ(limited["status"], "optimum") << limit;
    EXPECT_EQ(limited["uniformity"], free["uniformity"]) << limit;
    EXPECT_EQ(limited["inputs"], free["inputs"]) << limit;
  }
}

// Settings that ask for a die that cannot exist, or for nothing, are refused before a solve.
TEST(DesignSettings, LimitsThatAreNotNumbersOfTheirDomainAreRefused) {
  const ScratchDirectory scratch;
  const std::pair<const char*, const char*> cases[] = {
      {"--min-uniformity nan",
       "fluxeta-batch: --min-uniformity must be a finite number, not nan\n"},
      {"--max-pressure nan",
       "fluxeta-batch: --max-pressure must be a positive finite number (Pa), not nan\n"},
      {"--max-residence-time nan",
       "fluxeta-batch: --max-residence-time must be a positive finite number (s), not nan\n"},
      // Short, whatever the largest double is.
      {"--max-pressure 0",
       "fluxeta-batch: --max-pressure must be a positive finite number (Pa), not 0\n"},
  };
  for (const auto& [limit, message] : cases) {
    const auto result = RunBatchProcess(scratch, std::string("--optimise Lend ") + limit);
    EXPECT_EQ(result.status, kRefusedInput) << limit;
    EXPECT_EQ(result.err, message) << limit;
    EXPECT_EQ(result.out, "") << limit;
  }
}

TEST(DesignSettings, BoundsOutsideAnInputsDomainAreRefused) {
  const ScratchDirectory scratch;
  const std::pair<const char*, const char*> cases[] = {
      {"Pein=-20:20",
       "fluxeta-batch: the bounds of 'Pein' must each be a positive finite number (cm), not -20\n"},
      {"rho=-2.5:2.5",
       "fluxeta-batch: the bounds of 'rho' must each be a positive finite number (g/cm3), not "
       "-2.5\n"},
      {"Lend=4.9e-324:1e-323",
       "fluxeta-batch: the bounds of 'Lend' are too close together for the search to tell "
       "values apart: 5e-324 and 1e-323\n"},
      {"Lend=2:2", "fluxeta-batch: the bounds of 'Lend': lo must be below hi, not 2 and 2\n"},
  };
  for (const auto& [bounds, message] : cases) {
    const auto result = RunBatchProcess(scratch, std::string("--optimise ") + bounds);
    EXPECT_EQ(result.status, kRefusedInput) << bounds;
    EXPECT_EQ(result.err, message) << bounds;
  }
}

TEST(DesignSettings, BoundsOverManyDecadesAreSearchedInTheLogarithm) {
  const ScratchDirectory scratch;
  const auto result = RunBatchProcess(scratch, "--optimise Lend=2:1e300");
  ASSERT_EQ(result.status, 0) << result.err;
  const json report = Report(result);
  // The optimum of Lend alone lies at 2.9227 cm, inside the bounds.
  EXPECT_NEAR(report["inputs"]["Lend"].get<double>(), 2.9227, 1e-4);
}

TEST(DesignSettings, ATolerancePastZeroOrOfAFixedInputIsRefused) {
  const ScratchDirectory scratch;
  auto result = RunBatchProcess(scratch, "--tolerance H=±0.03");
  EXPECT_EQ(result.status, kRefusedInput);
  EXPECT_EQ(result.err,
            "fluxeta-batch: the tolerance of 'H' takes it to -0.0046, which is not a positive "
            "finite number\n");
  result = RunBatchProcess(scratch, "--tolerance n=±1%");
  EXPECT_EQ(result.status, kRefusedInput);
  EXPECT_EQ(result.err,
            "fluxeta-batch: input 'n' is fixed by design; add --all-inputs to vary it\n");
  EXPECT_EQ(RunBatchProcess(scratch, "--tolerance n=±1% --all-inputs").status, 0);
}

TEST(DesignSettings, TheOperatingWindowNamesItsOwnOption) {
  const ScratchDirectory scratch;
  const auto result = RunBatchProcess(scratch, "--operating-window Qin=10:60");
  EXPECT_EQ(result.status, kRefusedInput);
  EXPECT_EQ(result.err,
            "fluxeta-batch: --operating-window 'Qin=10:60': expected NAME=FROM:TO:COUNT\n");
  const auto negative = RunBatchProcess(scratch, "--operating-window Qin=-10:60:6");
  EXPECT_EQ(negative.status, kRefusedInput);
  EXPECT_EQ(negative.err.rfind("fluxeta-batch: --operating-window: ", 0), 0u) << negative.err;
}

// Options given together either compose as documented or are refused.
TEST(DesignCombinations, TheBandOfAnOptimumIsAroundItInOneReport) {
  const ScratchDirectory scratch;
  const auto result = RunBatchProcess(scratch, "--optimise Lend --tolerance H=±0.0005");
  ASSERT_EQ(result.status, 0) << result.err;
  const json report = Report(result);
  const json& band = report["tolerance_band"];
  EXPECT_EQ(band["uniformity"], report["uniformity"]);
  EXPECT_EQ(band["entrance_pressure_Pa"], report["entrance_pressure_Pa"]);
  EXPECT_EQ(band["worst_uniformity_inputs"]["Lend"], report["inputs"]["Lend"]);
}

TEST(DesignCombinations, OptionsThatWouldBeIgnoredAreRefused) {
  const ScratchDirectory scratch;
  for (const char* arguments :
       {"--optimise Lend --table csv", "--tolerance H=±0.0005 --table json",
        "--optimise Lend --search window", "--history h.csv", "--objective pressure",
        "--max-pressure 180000", "--max-evaluations 10", "--optimise Lend --sensitivity",
        "--sensitivity -o r.txt", "--tolerance H=±0.0005 -o r.txt"}) {
    const auto result = RunBatchProcess(scratch, arguments);
    EXPECT_EQ(result.status, kRefusedInput) << arguments;
    EXPECT_FALSE(result.err.empty()) << arguments;
    EXPECT_EQ(result.out, "") << arguments;
  }
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "Result.txt"));
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "h.csv"));
}

}  // namespace
}  // namespace fluxeta::cli
