// Reading cases files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/scratch_directory.h"
#include "fluxeta/study/study_cases_file.h"
#include "fluxeta/study/study_error.h"

namespace fluxeta::study {
namespace {

std::vector<std::string_view> Names(const CasesTable& table) {
  std::vector<std::string_view> names;
  for (const StudyVariable* input : table.inputs) {
    names.push_back(input->name);
  }
  return names;
}

TEST(StudyCasesFile, KeepsEachCellAsItsText) {
  const CasesTable table = ParseCasesTable("gamma,Lend\n0.1,2.5\n1, 3.0 \n", "c.csv", false);
  EXPECT_EQ(Names(table), (std::vector<std::string_view>{"gamma", "Lend"}));
  EXPECT_EQ(table.RowCount(), 2u);
  EXPECT_EQ(table.cells, (std::vector<std::string>{"0.1", "2.5", "1", " 3.0 "}));
}

TEST(StudyCasesFile, ReadsQuotesCrLfEmptyLinesAndAByteOrderMark) {
  const CasesTable table = ParseCasesTable(
      "\xEF\xBB\xBF Qin ,\"H\"\r\n\r\n\"1,5\",\"say \"\"x\"\"\"\r\n\n33,\r\n", "c.csv", false);
  EXPECT_EQ(Names(table), (std::vector<std::string_view>{"Qin", "H"}));
  EXPECT_EQ(table.cells, (std::vector<std::string>{"1,5", "say \"x\"", "33", ""}));
}

TEST(StudyCasesFile, AHeaderAloneIsAStudyOfNoCases) {
  EXPECT_EQ(ParseCasesTable("W\n", "c.csv", false).RowCount(), 0u);
}

TEST(StudyCasesFile, RefusesABadHeader) {
  for (const char* content :
       {"", "\n\n", "gamma,gamma\n1,2\n", "gamma,Gamma\n1,2\n", "gamma,\n1,2\n", "n\n0.5\n"}) {
    EXPECT_THROW(ParseCasesTable(content, "c.csv", false), StudyError) << content;
  }
  EXPECT_EQ(Names(ParseCasesTable("n,gammacr\n0.5,50\n", "c.csv", true)),
            (std::vector<std::string_view>{"n", "gammacr"}));
}

TEST(StudyCasesFile, RefusesARowOfAnotherWidthNamingItsLine) {
  try {
    ParseCasesTable("gamma,Lend\n0.1,2.5\n\n0.2\n", "c.csv", false);
    FAIL();
  } catch (const StudyError& error) {
    EXPECT_EQ(error.message(), "cases file 'c.csv', line 4: 1 fields where the header has 2");
  }
  EXPECT_THROW(ParseCasesTable("gamma\n\"0.1\n", "c.csv", false), StudyError);
}

// All rows of a file in order, read as a study reads them.
std::vector<std::vector<std::string>> Rows(CasesFile& file) {
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> cells;
  while (file.NextRow(cells)) {
    rows.push_back(cells);
  }
  return rows;
}

TEST(StudyCasesFile, ReadsAFileRowByRowAndAgainFromItsStart) {
  testing::ScratchDirectory directory;
  testing::WriteBytes(directory / "cases.csv",
                      "\xEF\xBB\xBF"
                      "Ain,H\n3.5,\"0,1\"\r\n\n4,0.02\n");
  CasesFile file(directory / "cases.csv", false);
  ASSERT_EQ(file.Inputs().size(), 2u);
  EXPECT_EQ(file.Inputs()[1]->name, "H");
  EXPECT_EQ(file.RowCount(), 2u);
  const std::vector<std::vector<std::string>> expected = {{"3.5", "0,1"}, {"4", "0.02"}};
  EXPECT_EQ(Rows(file), expected);
  file.Rewind();
  EXPECT_EQ(Rows(file), expected);
}

TEST(StudyCasesFile, RefusesAFileThatCannotBeReadNamingItAndTheReason) {
  testing::ScratchDirectory directory;
  const auto refusal = [](const std::string& path) {
    try {
      CasesFile file(path, false);
    } catch (const StudyError& error) {
      return error.message();
    }
    return std::string("accepted");
  };
  EXPECT_EQ(
      refusal(directory / "missing.csv"),
      "cannot read cases file '" + directory / "missing.csv" + "': No such file or directory");
  EXPECT_EQ(refusal(directory.path().string()),
            "cannot read cases file '" + directory.path().string() + "': Is a directory");
}

TEST(StudyCasesFile, RefusesARecordLongerThanTheBoundBeforeHoldingIt) {
  const std::string longCell(kMostCasesRecordBytes, '1');
  EXPECT_EQ(ParseCasesTable("W\n" + longCell + "\n", "c.csv", false).RowCount(), 1u);
  try {
    ParseCasesTable("W\n" + longCell + "1\n", "c.csv", false);
    FAIL();
  } catch (const StudyError& error) {
    EXPECT_EQ(error.message(), "cases file 'c.csv', line 2: a record longer than 1048576 bytes");
  }
  // A device without end: refused at the header, after a mebibyte.
  EXPECT_THROW(CasesFile("/dev/zero", false), StudyError);
}

}  // namespace
}  // namespace fluxeta::study
