// Reading cases files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/scratch_directory.h"
#include "study/study_cases_file.h"
#include "study/study_error.h"

namespace fluxeta::study {
namespace {

std::vector<std::string_view> Names(const CasesTable& table) {
  std::vector<std::string_view> names;
  for (const StudyInput* input : table.inputs) {
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
    EXPECT_EQ(std::string(error.what()),
              "cases file 'c.csv', line 4: 1 fields where the header has 2");
  }
  EXPECT_THROW(ParseCasesTable("gamma\n\"0.1\n", "c.csv", false), StudyError);
}

TEST(StudyCasesFile, ReadsAFileAndRefusesAMissingOne) {
  testing::ScratchDirectory directory;
  testing::WriteBytes(directory / "cases.csv", "Ain\n3.5\n");
  EXPECT_EQ(ReadCasesFile(directory / "cases.csv", false).cells, std::vector<std::string>{"3.5"});
  EXPECT_THROW(ReadCasesFile(directory / "missing.csv", false), StudyError);
}

}  // namespace
}  // namespace fluxeta::study
