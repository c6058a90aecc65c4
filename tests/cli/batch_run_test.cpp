// fluxeta-batch as a script sees it: files, standard output and error, exit status.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "../support/expected_files.h"
#include "../support/scratch_directory.h"

namespace fluxeta::cli {
namespace {

using testing::FileBytes;
using testing::ScratchDirectory;

struct BatchResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs fluxeta-batch in `directory` under the C locale unless `locale` says otherwise.
BatchResult RunBatch(const ScratchDirectory& directory, const std::string& arguments,
                     const std::string& locale = "C") {
  const std::string command = "cd '" + directory.path().string() + "' && LC_ALL=" + locale +
                              " '" FLUXETA_BATCH "' " + arguments +
                              " >.stdout 2>.stderr </dev/null";
  const int raw = std::system(command.c_str());
  BatchResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = FileBytes(directory.path() / ".stdout").value_or("");
  result.err = FileBytes(directory.path() / ".stderr").value_or("");
  return result;
}

// A data file of the default case with some values replaced (index = input number − 1).
void WriteDataFile(const ScratchDirectory& directory, const std::string& name,
                   const std::vector<std::pair<int, std::string>>& replaced) {
  std::vector<std::string> values = {"3.0", "0.1",  "6.14", "3.0", "2.5",  "66.0", "0.0254", "16.0",
                                     "1.3", "10.0", "1.0",  "0.5", "50.0", "1.2",  "33.0"};
  for (const auto& [input, value] : replaced) {
    values[input - 1] = value;
  }
  std::string text;
  for (std::size_t k = 0; k < values.size(); ++k) {
    text += "input " + std::to_string(k + 1) + " = " + values[k] + " unit\r\n";
  }
  testing::WriteBytes(directory.path() / name, text);
}

std::vector<std::string> SplitLines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto at = text.find(end); at != std::string::npos; at = text.find(end, start)) {
    lines.push_back(text.substr(start, at - start));
    start = at + end.size();
  }
  return lines;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  for (std::string field; std::getline(stream, field, ',');) {
    fields.push_back(field);
  }
  return fields;
}

TEST(BatchRun, WritesTheDefaultCaseAsTheWindowDoes) {
  const ScratchDirectory scratch;
  const BatchResult result = RunBatch(scratch, "");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(FileBytes(scratch.path() / "Result.txt"), testing::DefaultResultFile());
}

TEST(BatchRun, WritesToTheNamedFileAndTakesTheDataFilesValues) {
  const ScratchDirectory scratch;
  WriteDataFile(scratch, "case.txt", {});
  EXPECT_EQ(RunBatch(scratch, "case.txt -o other.txt").status, 0);
  EXPECT_EQ(FileBytes(scratch.path() / "other.txt"), testing::DefaultResultFile());
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "Result.txt"));

  WriteDataFile(scratch, "wider.txt", {{6, "70.0"}});
  EXPECT_EQ(RunBatch(scratch, "wider.txt").status, 0);
  const auto lines = SplitLines(FileBytes(scratch.path() / "Result.txt").value(), "\r\n");
  ASSERT_EQ(lines.size(), 75u);
  EXPECT_EQ(lines[7].substr(51), "70.00");
}

TEST(BatchRun, AppliesTheFixedInputsOnlyWhenAskedTo) {
  const ScratchDirectory scratch;
  WriteDataFile(scratch, "rough.txt", {{8, "20.0"}});
  EXPECT_EQ(RunBatch(scratch, "rough.txt -o design.txt").status, 0);
  EXPECT_EQ(RunBatch(scratch, "rough.txt --all-inputs -o all.txt").status, 0);
  EXPECT_EQ(SplitLines(FileBytes(scratch.path() / "design.txt").value(), "\r\n").at(9).substr(51),
            "16.00");
  EXPECT_EQ(SplitLines(FileBytes(scratch.path() / "all.txt").value(), "\r\n").at(9).substr(51),
            "20.00");
}

TEST(BatchRun, ExitsWithOneWhenTheSearchGivesUp) {
  const ScratchDirectory scratch;
  WriteDataFile(scratch, "no-flow.txt", {{15, "0"}});
  const BatchResult result = RunBatch(scratch, "no-flow.txt");
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "Sorry, this case does not converge.\n");
  EXPECT_EQ(SplitLines(FileBytes(scratch.path() / "Result.txt").value(), "\r\n").size(), 75u);
}

TEST(BatchRun, ExitsWithTwoForRefusedInput) {
  const ScratchDirectory scratch;
  std::string shortFile;
  for (int k = 0; k < 14; ++k) {
    shortFile += "input = 1\n";
  }
  testing::WriteBytes(scratch.path() / "short.txt", shortFile);
  BatchResult result = RunBatch(scratch, "short.txt");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "\"" + (scratch.path() / "short.txt").string() + "\" is not a correct data file!\n");

  result = RunBatch(scratch, "missing.txt");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err,
            "fluxeta-batch: data file 'missing.txt': No such file or directory\n"
            "Data file can not open!\n");

  WriteDataFile(scratch, "letters.txt", {{1, "abc"}});
  result = RunBatch(scratch, "letters.txt");
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "'abc' は浮動小数点数ではありません.\n");

  EXPECT_EQ(RunBatch(scratch, "--no-such-option").status, 2);
  EXPECT_EQ(RunBatch(scratch, "--table xml").status, 2);
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "Result.txt"));
}

TEST(BatchRun, ExitsWithThreeForAFloatingPointFault) {
  const ScratchDirectory scratch;
  WriteDataFile(scratch, "no-gap.txt", {{7, "0"}});
  BatchResult result = RunBatch(scratch, "no-gap.txt");
  EXPECT_EQ(result.status, 3);
  EXPECT_EQ(result.err, "0 による浮動小数点数除算.\n");
  EXPECT_EQ(SplitLines(FileBytes(scratch.path() / "Result.txt").value(), "\r\n").size(), 17u);

  WriteDataFile(scratch, "no-width.txt", {{6, "0"}});
  result = RunBatch(scratch, "no-width.txt -o width.txt");
  EXPECT_EQ(result.status, 3);
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "width.txt"));
}

TEST(BatchRun, ExitsWithFourWhenTheResultFileFails) {
  const ScratchDirectory scratch;
  BatchResult result = RunBatch(scratch, "-o /nonexistent/dir/x.txt");
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err,
            "fluxeta-batch: result file '/nonexistent/dir/x.txt': No such file or directory\n"
            "File can not open!\n");

  result = RunBatch(scratch, "-o /dev/full");
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err, "ディスクがいっぱいです.\n");

  result = RunBatch(scratch, "-o ''");
  EXPECT_EQ(result.status, 4);
  EXPECT_EQ(result.err,
            "fluxeta-batch: result file '': No such file or directory\nFile can not open!\n");
}

TEST(BatchRun, WritesTheTablesAsCsv) {
  const ScratchDirectory scratch;
  const BatchResult result = RunBatch(scratch, "--table csv");
  ASSERT_EQ(result.status, 0);
  const auto lines = SplitLines(result.out, "\n");
  ASSERT_EQ(lines.size(), 23u + 1u + 50u);
  EXPECT_EQ(lines[0], "# Ain,3,cm2");
  EXPECT_EQ(lines[1], "# gamma,0.1,-");
  EXPECT_EQ(lines[6], "# H,0.0254,cm");
  EXPECT_EQ(lines[17], "# converged,true,");
  EXPECT_EQ(lines[18], "# status,converged,");
  EXPECT_EQ(lines[19], "# sweeps,5,");
  EXPECT_EQ(lines[20].rfind("# entrancePressure,1734", 0), 0u) << lines[20];
  EXPECT_EQ(lines[23],
            "station,X (cm),P (Pa),Q (cm3/s),DelQ (cm3/s),Q_DIFF (%),APP_SR_C (1/s),SR_S (1/s),"
            "APP_VIS_C (Pa.s),VIS_S (Pa.s),A (cm2),Dh (cm),H (cm),L (cm),RTime (s)");
  for (int station = 1; station <= 50; ++station) {
    const auto fields = SplitFields(lines[23 + station]);
    ASSERT_EQ(fields.size(), 15u) << "station " << station;
    EXPECT_EQ(fields[0], std::to_string(station));
  }
  EXPECT_EQ(SplitFields(lines[24])[3], "33");  // Q of station 1 is Qin
  EXPECT_EQ(SplitFields(lines[24])[12], "0.0254");
}

// "converged" means what it means in a study's rows and to the design commands: the verdict
// is converged. A regime gap's answer has figures, and says its verdict beside them.
TEST(BatchRun, ARegimeGapAnswerIsNotConvergedAndSaysItsVerdict) {
  const ScratchDirectory scratch;
  WriteDataFile(scratch, "gap.txt", {{7, "0.5"}});
  const BatchResult csv = RunBatch(scratch, "gap.txt --search robust --table csv");
  const auto lines = SplitLines(csv.out, "\n");
  ASSERT_GT(lines.size(), 19u);
  EXPECT_EQ(lines[17], "# converged,false,");
  EXPECT_EQ(lines[18], "# status,regime_gap,");
  const BatchResult json = RunBatch(scratch, "gap.txt --search robust --table json");
  const auto parsed = nlohmann::json::parse(json.out);
  EXPECT_EQ(parsed["converged"], false);
  EXPECT_EQ(parsed["status"], "regime_gap");
  EXPECT_TRUE(parsed["uniformity"]["value"].is_number());

  const BatchResult study = RunBatch(scratch, "--search robust --sweep H=0.5:0.5:1");
  const auto rows = SplitLines(study.out, "\n");
  ASSERT_EQ(rows.size(), 2u);
  const auto fields = SplitFields(rows[1]);
  EXPECT_EQ(fields[1], "false");
  EXPECT_EQ(fields[2], "regime_gap");
  // The row keeps the figures of the gap's answer, as the table does.
  EXPECT_EQ(fields[5], parsed["entrancePressure"]["value"].dump());
  EXPECT_EQ(fields[6], parsed["uniformity"]["value"].dump());
}

TEST(BatchRun, WritesTheTablesAsJsonWithRoundTripNumbers) {
  const ScratchDirectory scratch;
  const BatchResult csv = RunBatch(scratch, "--table csv");
  const BatchResult result = RunBatch(scratch, "--table json");
  ASSERT_EQ(result.status, 0);
  const auto json = nlohmann::json::parse(result.out);
  EXPECT_EQ(json["inputs"]["Qin"]["value"], 33.0);
  EXPECT_EQ(json["inputs"]["rho"]["unit"], "g/cm3");
  EXPECT_EQ(json["derived"]["etaCr"]["unit"], "Pa.s");
  EXPECT_EQ(json["converged"], true);
  EXPECT_EQ(json["sweeps"], 5);
  EXPECT_NEAR(json["entrancePressure"]["value"].get<double>(), 173421.76, 0.01);
  EXPECT_NEAR(json["uniformity"]["value"].get<double>(), 0.91156, 5e-6);
  EXPECT_EQ(json["units"]["APP_VIS_C"], "Pa.s");
  ASSERT_EQ(json["stations"].size(), 50u);
  EXPECT_EQ(json["stations"][49]["station"], 50);
  EXPECT_NEAR(json["stations"][0]["Q_DIFF"].get<double>(), -13.153, 5e-4);
  EXPECT_NEAR(json["stations"][49]["RTime"].get<double>(), 17.779, 5e-4);

  // The same doubles in both forms, digit for digit.
  const auto lines = SplitLines(csv.out, "\n");
  const std::string uniformity = SplitFields(lines[22])[1];
  double parsed = 0;
  std::from_chars(uniformity.data(), uniformity.data() + uniformity.size(), parsed);
  EXPECT_EQ(parsed, json["uniformity"]["value"].get<double>());
  EXPECT_NE(result.out.find("\"value\": " + uniformity + ","), std::string::npos);
}

TEST(BatchRun, ReportsARunThatGaveUpInTheTables) {
  const ScratchDirectory scratch;
  WriteDataFile(scratch, "no-flow.txt", {{15, "0"}});
  const BatchResult result = RunBatch(scratch, "no-flow.txt --table json");
  EXPECT_EQ(result.status, 1);
  const auto json = nlohmann::json::parse(result.out);
  EXPECT_EQ(json["converged"], false);
  EXPECT_EQ(json["sweeps"], 50);
  EXPECT_EQ(json["uniformity"]["value"], 0.0);
}

TEST(BatchRun, WritesTheLocalesDecimalSeparator) {
  const char* const commaLocale = "de_DE.UTF-8";
  const locale_t probe = newlocale(LC_NUMERIC_MASK, commaLocale, static_cast<locale_t>(0));
  if (probe == static_cast<locale_t>(0)) {
    GTEST_SKIP() << commaLocale << " is not installed";
  }
  freelocale(probe);
  const ScratchDirectory scratch;
  EXPECT_EQ(RunBatch(scratch, "", commaLocale).status, 0);
  const std::string bytes = FileBytes(scratch.path() / "Result.txt").value();
  EXPECT_NE(bytes.find("=  3,0000\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("=  0,173\r\n"), std::string::npos);

  // A data file written with points is refused there, as the window would refuse it.
  WriteDataFile(scratch, "points.txt", {});
  const BatchResult result = RunBatch(scratch, "points.txt", commaLocale);
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "'3.0' は浮動小数点数ではありません.\n");
}

TEST(BatchRun, PrintsItsVersionAndHelp) {
  const ScratchDirectory scratch;
  BatchResult result = RunBatch(scratch, "--version");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, std::string("fluxeta-batch ") + FLUXETA_VERSION + "\n");
  result = RunBatch(scratch, "--help");
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.out.find("--all-inputs"), std::string::npos);
  EXPECT_NE(result.out.find("--table"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(scratch.path() / "Result.txt"));
}

}  // namespace
}  // namespace fluxeta::cli
