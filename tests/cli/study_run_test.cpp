// Whole studies: grid order, failing cases, threads, cases files, agreement with a
// single run of the same case.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "../support/scratch_directory.h"
#include "exit_status.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/run/result_file.h"
#include "fluxeta/solver/search.h"
#include "study.h"

namespace fluxeta::cli {
namespace {

using Row = std::vector<std::string>;

// Splits CSV text into rows of fields, undoing the quoting.
std::vector<Row> ParseCsv(const std::string& text) {
  std::vector<Row> rows;
  Row row(1);
  bool quoted = false;
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (quoted) {
      if (c == '"' && at + 1 < text.size() && text[at + 1] == '"') {
        row.back() += '"';
        ++at;
      } else if (c == '"') {
        quoted = false;
      } else {
        row.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.emplace_back();
    } else if (c == '\n') {
      rows.push_back(row);
      row.assign(1, "");
    } else {
      row.back() += c;
    }
  }
  return rows;
}

struct StudyRun {
  int status = -1;
  std::string csv;
  std::string err;
  std::vector<Row> rows;  // header first
};

class StudyRunTest : public ::testing::Test {
 protected:
  static StudyRun Run(const StudyOptions& options,
                      const cases::CaseInputs& base = cases::DefaultCaseInputs()) {
    std::ostringstream out;
    std::ostringstream err;
    StudyRun run;
    run.status = RunStudy(options, base, out, err);
    run.csv = out.str();
    run.err = err.str();
    run.rows = ParseCsv(run.csv);
    return run;
  }

  static StudyOptions Sweeps(std::vector<std::string> sweeps, unsigned jobs = 2) {
    StudyOptions options;
    options.sweeps = std::move(sweeps);
    options.jobs = jobs;
    return options;
  }

  std::string WriteFile(const std::string& name, const std::string& content) {
    testing::WriteBytes(directory_ / name, content);
    return directory_ / name;
  }

  testing::ScratchDirectory directory_;
};

// The field of a row under the header's column `name`.
std::string Field(const StudyRun& run, std::size_t row, std::string_view name) {
  const Row& header = run.rows.at(0);
  const auto column = std::find(header.begin(), header.end(), name);
  EXPECT_NE(column, header.end()) << name;
  return run.rows.at(row).at(column - header.begin());
}

const std::vector<std::string_view> kFigures = {"entrance_pressure_Pa", "uniformity", "DelQRms",
                                                "Q_DIFF_min", "Q_DIFF_max"};

TEST_F(StudyRunTest, ATwoByThreeGridGivesSixRowsInGridOrder) {
  const StudyRun run = Run(Sweeps({"gamma=0.1:1:2", "Lend=2:3:3"}));
  ASSERT_EQ(run.status, kWrittenAndConverged) << run.err;
  EXPECT_EQ(run.err, "");
  ASSERT_EQ(run.rows.size(), 7u);
  EXPECT_EQ(run.rows[0],
            (Row{"gamma", "Lend", "converged", "status", "sweeps", "outcome",
                 "entrance_pressure_Pa", "uniformity", "DelQRms", "Q_DIFF_min", "Q_DIFF_max"}));
  const std::vector<Row> inputs = {{"0.1", "2"}, {"0.1", "2.5"}, {"0.1", "3"},
                                   {"1", "2"},   {"1", "2.5"},   {"1", "3"}};
  for (std::size_t row = 1; row <= 6; ++row) {
    EXPECT_EQ(Row(run.rows[row].begin(), run.rows[row].begin() + 2), inputs[row - 1]);
    EXPECT_EQ(Field(run, row, "converged"), "true") << row;
    EXPECT_EQ(Field(run, row, "outcome"), "") << row;
  }
}

TEST_F(StudyRunTest, TheDefaultCaseRowCarriesTheKnownFigures) {
  const StudyRun run = Run(Sweeps({"gamma=0.1:1:2"}));
  ASSERT_EQ(run.rows.size(), 3u);
  EXPECT_EQ(Field(run, 1, "sweeps"), "5");
  EXPECT_NEAR(std::stod(Field(run, 1, "entrance_pressure_Pa")), 173421.76, 0.01);
  EXPECT_NEAR(std::stod(Field(run, 1, "uniformity")), 0.91156, 0.000005);
  EXPECT_NEAR(std::stod(Field(run, 1, "DelQRms")), 0.058369, 0.0000005);
  EXPECT_NEAR(std::stod(Field(run, 1, "Q_DIFF_min")), -13.153, 0.0005);
  EXPECT_NEAR(std::stod(Field(run, 1, "Q_DIFF_max")), 17.136, 0.0005);
  // The same case with the full taper.
  EXPECT_NEAR(std::stod(Field(run, 2, "entrance_pressure_Pa")), 177972, 0.5);
  EXPECT_NEAR(std::stod(Field(run, 2, "uniformity")), 0.95842, 0.000005);
}

TEST_F(StudyRunTest, FailingCasesAreReportedInTheirRowsAndTheStudyGoesOn) {
  const std::string path = WriteFile("study_failures.csv",
                                     "H,Qin,W,Ain\n"
                                     "0,33,66,3\n"
                                     "0.0254,0,66,3\n"
                                     "0.0254,33,0,3\n"
                                     "0.0254,33,66,abc\n"
                                     "0.0254,33,66,1e400\n"
                                     "0.0254,33,66,3\n");
  StudyOptions options;
  options.casesFile = path;
  const StudyRun run = Run(options);
  ASSERT_EQ(run.status, kWrittenAndConverged) << run.err;
  ASSERT_EQ(run.rows.size(), 7u);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"", "0 による浮動小数点数除算"},     {"50", "Sorry, this case does not converge."},
      {"", "0 による浮動小数点数除算"},     {"", "'abc' は浮動小数点数ではありません"},
      {"", "浮動小数点数のオーバーフロー"},
  };
  const std::vector<std::string> codes = {"division_by_zero", "not_converged", "division_by_zero",
                                          "not_a_number", "overflow"};
  for (std::size_t row = 1; row <= expected.size(); ++row) {
    EXPECT_EQ(Field(run, row, "converged"), "false") << row;
    EXPECT_EQ(Field(run, row, "status"), codes[row - 1]) << row;
    EXPECT_EQ(Field(run, row, "sweeps"), expected[row - 1].first) << row;
    EXPECT_EQ(Field(run, row, "outcome"), expected[row - 1].second) << row;
    for (const std::string_view figure : kFigures) {
      EXPECT_EQ(Field(run, row, figure), "") << row << figure;
    }
  }
  EXPECT_EQ(Field(run, 6, "converged"), "true");
}

TEST_F(StudyRunTest, OneTwoAndThreeThreadsWriteTheSameBytes) {
  // Failures mixed in, so that a thread's previous case could leak into the next one.
  const std::vector<std::string> sweeps = {"gamma=0:1:5", "Qin=0:40:3", "H=0:0.03:3"};
  const StudyRun one = Run(Sweeps(sweeps, 1));
  ASSERT_EQ(one.rows.size(), 46u);
  EXPECT_EQ(Run(Sweeps(sweeps, 2)).csv, one.csv);
  EXPECT_EQ(Run(Sweeps(sweeps, 3)).csv, one.csv);
}

TEST_F(StudyRunTest, ACasesFileOfTheGridsValuesReproducesItsRowsInAnyOrder) {
  const StudyRun grid = Run(Sweeps({"gamma=0:1:4", "Lend=2.0:3.0:3", "Qin=0:33:2"}));
  ASSERT_EQ(grid.rows.size(), 25u);
  // The grid's own input texts, in reverse order, as a cases file.
  std::string content = "gamma,Lend,Qin\n";
  for (std::size_t row = grid.rows.size() - 1; row >= 1; --row) {
    content += grid.rows[row][0] + "," + grid.rows[row][1] + "," + grid.rows[row][2] + "\n";
  }
  const std::string path = WriteFile("study_reproduce.csv", content);
  StudyOptions options;
  options.casesFile = path;
  const StudyRun cases = Run(options);
  ASSERT_EQ(cases.rows.size(), grid.rows.size());
  EXPECT_EQ(cases.rows[0], grid.rows[0]);
  for (std::size_t row = 1; row < grid.rows.size(); ++row) {
    EXPECT_EQ(cases.rows[row], grid.rows[grid.rows.size() - row]) << row;
  }
}

TEST_F(StudyRunTest, ARowAgreesWithASingleRunAndItsResultFile) {
  const StudyRun run = Run(Sweeps({"gamma=0.35:0.35:1", "Lend=2.7:2.7:1", "rho=0.9:0.9:1"}));
  ASSERT_EQ(run.rows.size(), 2u);
  ASSERT_EQ(Field(run, 1, "converged"), "true");

  cases::CaseInputs inputs = cases::DefaultCaseInputs();
  for (const auto& [name, text] : {std::pair{"gamma", "0.35"}, {"Lend", "2.7"}, {"rho", "0.9"}}) {
    inputs[*cases::FindInput(name)] = cases::InputValue::OfText(text, '.');
  }
  const cases::CaseParameters parameters = cases::MakeCase(inputs);
  const solver::Solution solution = solver::Solve(parameters, solver::Search::Window);
  const solver::SolveOutcome& outcome = solution.solve;
  const cases::StationTable& table = solution.table;
  ASSERT_TRUE(outcome.converged);
  const double uniformity = std::stod(Field(run, 1, "uniformity"));
  EXPECT_EQ(std::stoi(Field(run, 1, "sweeps")), outcome.sweeps);
  EXPECT_EQ(uniformity, table.Uniformity);
  EXPECT_EQ(std::stod(Field(run, 1, "entrance_pressure_Pa")), table.P[1]);
  EXPECT_EQ(std::stod(Field(run, 1, "DelQRms")), table.DelQRms);

  const std::string section = run::ResultSectionText(table, '.');
  const std::string uniformityLine =
      "   Uniformity (-)           =  " +
      cases::FormatNumber(uniformity, cases::NumberFormat::Fixed, 5, 3, '.') + "\r\n";
  EXPECT_TRUE(section.ends_with(uniformityLine)) << section.substr(section.size() - 80);
}

TEST_F(StudyRunTest, WorksWithACommaAsTheDecimalSeparator) {
  const StudyRun withPoint = Run(Sweeps({"gamma=0.1:0.55:2"}));
  cases::CaseInputs commaTexts;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    std::string text(cases::kInputs[input].defaultText);
    std::replace(text.begin(), text.end(), '.', ',');
    commaTexts[input] = cases::InputValue::OfText(text, ',');
  }
  const StudyRun withComma = Run(Sweeps({"gamma=0.1:0.55:2"}), commaTexts);
  EXPECT_EQ(withComma.csv, withPoint.csv);
  EXPECT_EQ(Field(withComma, 2, "gamma"), "0.55");
  EXPECT_EQ(Field(withComma, 2, "converged"), "true");
}

// A base input that is no number fails every case that takes it, each row saying so, and
// none that varies it; the study itself is written.
TEST_F(StudyRunTest, ABadBaseTextFailsOnlyTheCasesThatTakeIt) {
  cases::CaseInputs base = cases::DefaultCaseInputs();
  base[*cases::FindInput("Lin")] = cases::InputValue::OfText("3,0", '.');
  const StudyRun takesIt = Run(Sweeps({"gamma=0.1:0.55:2"}), base);
  ASSERT_EQ(takesIt.status, kWrittenAndConverged);
  ASSERT_EQ(takesIt.rows.size(), 3u);
  for (std::size_t row = 1; row < takesIt.rows.size(); ++row) {
    EXPECT_EQ(Field(takesIt, row, "converged"), "false") << row;
    EXPECT_EQ(Field(takesIt, row, "status"), "not_a_number") << row;
    EXPECT_EQ(Field(takesIt, row, "outcome"), base::messages::ConversionMessage("3,0")) << row;
  }
  const StudyRun variesIt = Run(Sweeps({"Lin=3:3.5:2"}), base);
  EXPECT_EQ(Field(variesIt, 1, "converged"), "true");
  EXPECT_EQ(Field(variesIt, 2, "converged"), "true");
}

TEST_F(StudyRunTest, ABadSweepOrCasesFileIsRefusedBeforeAnythingIsWritten) {
  const StudyRun badSweep = Run(Sweeps({"gamma=0:1:2", "Lend=2:x:3"}));
  EXPECT_EQ(badSweep.status, kRefusedInput);
  EXPECT_EQ(badSweep.csv, "");
  EXPECT_EQ(badSweep.err,
            "fluxeta-batch: --sweep 'Lend=2:x:3': TO 'x' is not a finite number written with a "
            "point\n");

  StudyOptions missingFile;
  missingFile.casesFile = directory_ / "no_such_cases_file.csv";
  EXPECT_EQ(Run(missingFile).status, kRefusedInput);

  const StudyRun twice = Run(Sweeps({"W=60:70:2", "W=60:70:2"}));
  EXPECT_EQ(twice.status, kRefusedInput);
  EXPECT_EQ(twice.err, "fluxeta-batch: input 'W' is varied twice\n");
}

TEST_F(StudyRunTest, WritesToAnOutputFileOrReportsThatItCannot) {
  StudyOptions options = Sweeps({"Qin=30:33:2"});
  options.outputPath = directory_ / "study_output.csv";
  const StudyRun toFile = Run(options);
  EXPECT_EQ(toFile.status, kWrittenAndConverged);
  EXPECT_EQ(toFile.csv, "");
  EXPECT_EQ(testing::FileBytes(*options.outputPath), Run(Sweeps({"Qin=30:33:2"})).csv);

  options.outputPath = directory_ / "no_such_directory/study.csv";
  const StudyRun nowhere = Run(options);
  EXPECT_EQ(nowhere.status, kFileFailure);
  EXPECT_NE(nowhere.err.find("cannot open output file"), std::string::npos);
}

TEST_F(StudyRunTest, DrawsAProgressBarOnlyWhenAsked) {
  StudyOptions options = Sweeps({"gamma=0:1:3"});
  EXPECT_EQ(Run(options).err, "");
  options.progress = true;
  const StudyRun run = Run(options);
  EXPECT_NE(run.err.find("] 100% 3/3 cases"), std::string::npos) << run.err;
  EXPECT_TRUE(run.err.ends_with("\n"));
}

}  // namespace
}  // namespace fluxeta::cli
