#include "fluxeta/run/result_file.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../support/expected_files.h"
#include "../support/scratch_directory.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/io_error_code.h"
#include "fluxeta/case/default_case.h"

namespace fluxeta::run {
namespace {

using testing::FileBytes;
using testing::ScratchDirectory;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find("\r\n"); end != std::string::npos; end = text.find("\r\n", start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  EXPECT_EQ(start, text.size()) << "text after the last CR LF";
  return lines;
}

cases::CaseParameters DefaultParameters() {
  return cases::MakeCase(cases::DefaultCaseValues());
}

// Station 1 of the table with the values of the layout's example row.
cases::StationTable ExampleRowTable() {
  cases::StationTable table;
  table.P[1] = 123456.7;
  table.Q[1] = 33.0;
  table.DelQ[1] = 0.66;
  table.Q_DIFF[1] = -1.25;
  table.APP_SR_C[1] = 45.03;
  table.SR_S[1] = 4650.0;
  table.APP_VIS_C[1] = 1.414213562;
  table.VIS_S[1] = 1.414213562;
  table.A[1] = 3.0;
  table.Dh[1] = 1.954397;
  table.H[1] = 0.0254;
  table.L[1] = 3.0;
  table.RTime[1] = 12.5;
  return table;
}

TEST(InputSection, PrintsTheDefaultCaseUnderFixedLabels) {
  const auto lines = Lines(InputSectionText(DefaultParameters(), '.'));
  ASSERT_EQ(lines.size(), 17u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "[INPUT DATA]");
  const std::vector<std::string> values = {"3.0000", "0.1000", "6.1400", "3.00",  "2.50",
                                           "66.00",  "0.0254", "16.00",  "1.300", "10",
                                           "1",      "0.500",  "50",     "1.200", "33.00"};
  for (std::size_t k = 0; k < values.size(); ++k) {
    const std::string& line = lines[k + 2];
    ASSERT_GT(line.size(), 51u) << "line " << k + 3;
    EXPECT_EQ(line[48], '=') << "line " << k + 3;
    EXPECT_EQ(line.substr(49, 2), "  ") << "line " << k + 3;
    EXPECT_EQ(line.substr(51), values[k]) << "line " << k + 3;
  }
  EXPECT_EQ(lines[2], "   Entrance cross sectional area   Ain (cm2)    =  3.0000");
  EXPECT_EQ(lines[14],
            "   Critical shear rate   \x83\xC1"
            "cr (1/s)             =  50");
}

TEST(ResultSection, HasTheFixedHeaderNoteAndSummaryLines) {
  cases::StationTable table;
  table.P[1] = 173421.76;
  table.Uniformity = 0.91156;
  const auto lines = Lines(ResultSectionText(table, '.'));
  ASSERT_EQ(lines.size(), 58u);
  EXPECT_EQ(lines[0], "");
  EXPECT_EQ(lines[1], "[RESULT]");
  EXPECT_EQ(lines[2],
            "         P          Q       DelQ      Q_DIFF   APP_SR_C  SR_S     APP_VIS_C   VIS_S  "
            "    A         Dh        H         L       RTime");
  EXPECT_EQ(lines[2].size(), 132u);
  EXPECT_EQ(lines[3],
            "        (Pa)      (cm3/s)  (cm3/s)     (%)       (1/s)   (1/s)      (PA.s)    (Pa.s)  "
            "  (cm2)     (cm)      (cm)      (cm)      (s)");
  EXPECT_EQ(lines[3].size(), 131u);
  EXPECT_EQ(lines[54],
            "(Note: \"APP_\" denotes apparent, \"_C\" denotes cavity ,and \"_S\" denotes slot)");
  EXPECT_EQ(lines[54].size(), 75u);
  EXPECT_EQ(lines[55], "");
  EXPECT_EQ(lines[56], "   Entrance pressure (MPa)  =  0.173");
  EXPECT_EQ(lines[57], "   Uniformity (-)           =  0.912");
  // Rows of an empty table: every cell fits, so each row keeps the standard width.
  for (int station = 1; station <= cases::StationCount; ++station) {
    EXPECT_EQ(lines[3 + station].size(), 133u) << "station " << station;
  }
}

TEST(StationRow, FormatsAndPadsEveryCellByItsColumn) {
  const std::string row = StationRowText(ExampleRowTable(), 1, '.');
  EXPECT_EQ(row,
            "  1  1.2346E05    33.000    0.6600    -1.250    45.030   4650.00    1.4142    1.4142"
            "    3.0000    1.9544    0.0254    3.000    12.500");
  EXPECT_EQ(row.size(), 133u);
}

TEST(StationRow, ATextLongerThanItsCellShiftsTheRestOfTheRow) {
  cases::StationTable table = ExampleRowTable();
  table.P[1] = -123456.7;
  const std::string row = StationRowText(table, 1, '.');
  EXPECT_EQ(row.substr(0, 15), "  1  -1.2346E05");
  EXPECT_EQ(row.size(), 134u);
  EXPECT_EQ(row.substr(15), StationRowText(ExampleRowTable(), 1, '.').substr(14));
}

TEST(StationRow, PrintsAFlowBeyondItsPrecisionInExponentForm) {
  cases::StationTable table = ExampleRowTable();
  table.Q[1] = 123456789.0;
  const std::string row = StationRowText(table, 1, '.');
  EXPECT_EQ(row.substr(14, 17), "  1.2345679E008  ");
}

TEST(ResultFileWriters, CreateThenAppendTheTwoSections) {
  const ScratchDirectory scratch;
  cases::CaseParameters parameters = DefaultParameters();
  parameters.ResultFileName = scratch / "Result.txt";
  const cases::StationTable table = ExampleRowTable();
  {
    ClaimedFile file;
    ASSERT_EQ(WriteInputSection(parameters, '.', file), "");
    EXPECT_EQ(FileBytes(parameters.ResultFileName), InputSectionText(parameters, '.'));
    ASSERT_EQ(WriteResultSection(parameters, table, '.', file), "");
    EXPECT_EQ(FileBytes(parameters.ResultFileName),
              InputSectionText(parameters, '.') + ResultSectionText(table, '.'));
  }
  // The next run: a new input section replaces the whole file.
  ClaimedFile nextRun;
  ASSERT_EQ(WriteInputSection(parameters, '.', nextRun), "");
  EXPECT_EQ(FileBytes(parameters.ResultFileName), InputSectionText(parameters, '.'));
}

TEST(ResultFileWriters, ReportAFileThatCannotBeOpenedAndCreateNothing) {
  const ScratchDirectory scratch;
  cases::CaseParameters parameters = DefaultParameters();
  const cases::StationTable table;
  const std::string tooLongComponent(NAME_MAX + 1, 'x');
  std::string tooLongPath = scratch.path().string();
  while (tooLongPath.size() <= PATH_MAX) {
    tooLongPath += "/" + std::string(NAME_MAX, 'y');
  }
  const std::vector<std::string> names = {
      "",
      scratch / "missing/Result.txt",
      scratch.path().string(),
      scratch / tooLongComponent,
      tooLongPath,
      scratch / "Res" + std::string(1, '\0') + "ult.txt",
  };
  for (const std::string& name : names) {
    parameters.ResultFileName = name;
    ClaimedFile file;
    EXPECT_NE(WriteInputSection(parameters, '.', file), "") << name.size();
    EXPECT_NE(WriteResultSection(parameters, table, '.', file), "") << name.size();
  }
  // Not even under a shortened name.
  EXPECT_TRUE(std::filesystem::is_empty(scratch.path()));
}

TEST(ResultFileWriters, RaiseAFailedWriteWithTheDiskFullCode) {
  cases::CaseParameters parameters = DefaultParameters();
  parameters.ResultFileName = "/dev/full";
  ClaimedFile file;
  try {
    WriteInputSection(parameters, '.', file);
    FAIL() << "the write to a full device succeeded";
  } catch (const base::InputOutputError& error) {
    EXPECT_EQ(error.code(), 101);
    EXPECT_STREQ(error.what(), "ディスクがいっぱいです");
  }
  EXPECT_THROW(WriteResultSection(parameters, cases::StationTable(), '.', file),
               base::InputOutputError);
}

TEST(ResultFileWriters, LeaveNothingOfTheOldFileAfterAFailedWrite) {
  const ScratchDirectory scratch;
  cases::CaseParameters parameters = DefaultParameters();
  parameters.ResultFileName = scratch / "Result.txt";
  const std::string longOldFile(10000, '#');
  testing::WriteBytes(parameters.ResultFileName, longOldFile);

  // A file size limit makes the write fail part way, as a full disk would.
  constexpr rlim_t kSizeLimit = 100;
  rlimit saved;
  ::getrlimit(RLIMIT_FSIZE, &saved);
  const auto savedSignal = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limited = saved;
  limited.rlim_cur = kSizeLimit;
  ::setrlimit(RLIMIT_FSIZE, &limited);
  int code = 0;
  try {
    ClaimedFile file;
    WriteInputSection(parameters, '.', file);
  } catch (const base::InputOutputError& error) {
    code = error.code();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, savedSignal);

  EXPECT_EQ(code, 101);
  EXPECT_EQ(FileBytes(parameters.ResultFileName),
            InputSectionText(parameters, '.').substr(0, kSizeLimit));
}

TEST(ResultFileWriters, RefuseAFileThatAnotherRunHoldsAndLeaveItWhole) {
  const ScratchDirectory scratch;
  cases::CaseParameters parameters = DefaultParameters();
  parameters.ResultFileName = scratch / "Result.txt";
  ClaimedFile first;
  ASSERT_EQ(WriteInputSection(parameters, '.', first), "");

  cases::CaseParameters other = parameters;
  other.Qin = 20;
  ClaimedFile second;
  EXPECT_EQ(WriteInputSection(other, '.', second), "locked by another program");
  EXPECT_EQ(WriteResultSection(other, ExampleRowTable(), '.', second),
            "no longer the file this run wrote its input section to");
  EXPECT_EQ(FileBytes(parameters.ResultFileName), InputSectionText(parameters, '.'));
  ASSERT_EQ(WriteResultSection(parameters, ExampleRowTable(), '.', first), "");
  EXPECT_EQ(FileBytes(parameters.ResultFileName),
            InputSectionText(parameters, '.') + ResultSectionText(ExampleRowTable(), '.'));
}

TEST(ResultFileWriters, AppendOnlyToTheInputSectionThisRunWrote) {
  const ScratchDirectory scratch;
  cases::CaseParameters parameters = DefaultParameters();
  parameters.ResultFileName = scratch / "Result.txt";
  const std::string inputs = InputSectionText(parameters, '.');
  const std::string refused = "no longer the file this run wrote its input section to";
  {
    // Replaced by another file of the same content: not this run's file.
    ClaimedFile file;
    ASSERT_EQ(WriteInputSection(parameters, '.', file), "");
    std::filesystem::remove(parameters.ResultFileName);
    testing::WriteBytes(parameters.ResultFileName, inputs);
    EXPECT_EQ(WriteResultSection(parameters, ExampleRowTable(), '.', file), refused);
    EXPECT_EQ(FileBytes(parameters.ResultFileName), inputs);
  }
  for (const std::string& changed : {inputs + "more", inputs.substr(1), "X" + inputs.substr(1)}) {
    // Written by a program that ignores the lock: longer, shorter, other bytes.
    ClaimedFile file;
    ASSERT_EQ(WriteInputSection(parameters, '.', file), "");
    std::ofstream(parameters.ResultFileName, std::ios::binary | std::ios::in) << changed;
    std::filesystem::resize_file(parameters.ResultFileName, changed.size());
    EXPECT_EQ(WriteResultSection(parameters, ExampleRowTable(), '.', file), refused);
    EXPECT_EQ(FileBytes(parameters.ResultFileName), changed);
  }
}

// Killed by the file-size limit half way through the input section (as by any signal):
// the file holds the start of the new inputs and nothing of the old results.
TEST(ResultFileWritersDeathTest, CutAnOldFileToZeroBeforeWritingOverIt) {
  // A plain fork: the child writes the file this test made.
  GTEST_FLAG_SET(death_test_style, "fast");
  const ScratchDirectory scratch;
  cases::CaseParameters parameters = DefaultParameters();
  parameters.ResultFileName = scratch / "Result.txt";
  testing::WriteBytes(parameters.ResultFileName, std::string(10000, '#'));
  constexpr rlim_t kSizeLimit = 100;
  const auto killedHalfWay = [&parameters] {
    std::signal(SIGXFSZ, SIG_DFL);
    const rlimit limited = {kSizeLimit, kSizeLimit};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    ClaimedFile file;
    WriteInputSection(parameters, '.', file);
    std::_Exit(0);
  };
  EXPECT_EXIT(killedHalfWay(), ::testing::KilledBySignal(SIGXFSZ), "");
  EXPECT_EQ(FileBytes(parameters.ResultFileName),
            InputSectionText(parameters, '.').substr(0, kSizeLimit));
}

TEST(InputOutputErrorCode, MapsThePlatformsErrorsOntoTheRuntimesCodes) {
  EXPECT_EQ(base::InputOutputErrorCode(ENOSPC), 101);
  EXPECT_EQ(base::InputOutputErrorCode(EDQUOT), 101);
  EXPECT_EQ(base::InputOutputErrorCode(EIO), 101);
  EXPECT_EQ(base::InputOutputErrorCode(EACCES), 5);
  EXPECT_EQ(base::InputOutputErrorCode(EPERM), 5);
  EXPECT_EQ(base::InputOutputErrorCode(ENOENT), 2);
  EXPECT_EQ(base::InputOutputErrorCode(EMFILE), 4);
  EXPECT_EQ(base::InputOutputErrorCode(ENFILE), 4);
  // A file-size limit is a full disk to the user.
  EXPECT_EQ(base::InputOutputErrorCode(EFBIG), 101);
  EXPECT_STREQ(base::InputOutputError(base::InputOutputErrorCode(EFBIG)).what(),
               "ディスクがいっぱいです");
  EXPECT_EQ(base::InputOutputErrorCode(EROFS), EROFS);
  EXPECT_EQ(base::InputOutputError(base::InputOutputErrorCode(EROFS)).what(),
            "I/O エラー (" + std::to_string(EROFS) + ")");
}

TEST(ResultFile, OfTheDefaultCaseKeepsTheLayout) {
  // Checks the expected file itself, so that it cannot drift from the layout unnoticed.
  const auto lines = Lines(testing::DefaultResultFile());
  ASSERT_EQ(lines.size(), 75u);
  for (int row = 22; row <= 71; ++row) {
    EXPECT_EQ(lines[row - 1].size(), 133u) << "line " << row;
  }
  EXPECT_EQ(lines[73], "   Entrance pressure (MPa)  =  0.173");
  EXPECT_EQ(lines[74], "   Uniformity (-)           =  0.912");
}

}  // namespace
}  // namespace fluxeta::run
