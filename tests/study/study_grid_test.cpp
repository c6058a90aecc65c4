// Grid order of a study and the CSV texts of its rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/scratch_directory.h"
#include "fluxeta/study/study_csv.h"
#include "fluxeta/study/study_error.h"
#include "fluxeta/study/study_grid.h"

namespace fluxeta::study {
namespace {

std::vector<std::string> Texts(const StudyGrid& grid, std::uint64_t index) {
  std::vector<std::string> texts;
  grid.CaseTexts(index, texts);
  return texts;
}

// A sweep gives its value itself; a cell gives the number its text reads as with a point,
// the text kept, and a text that is no number is refused only when its case is made.
TEST(StudyGrid, GivesSweepValuesAsNumbersAndCellsWithTheirTexts) {
  StudyGrid grid;
  const Sweep lend = ParseSweep("Lend=2:3:3", false);
  grid.AddCases(CasesTable{{&FindStudyInput("gamma", false), &FindStudyInput("Qin", false)},
                           {" 0.25", "40", "x", "1e2"}});
  grid.AddSweep(lend);
  std::vector<cases::InputValue> values;
  grid.CaseValues(4, values);  // the second row, the second Lend
  ASSERT_EQ(values.size(), 3u);
  EXPECT_EQ(values[0].Text(), "x");
  EXPECT_FALSE(values[0].IsNumber());
  EXPECT_EQ(values[1].Text(), "1e2");
  EXPECT_EQ(values[1].Stored(), 100.0);
  EXPECT_EQ(values[2].Text(), std::nullopt);
  EXPECT_EQ(values[2].Stored(), lend.Value(1));
  grid.CaseValues(0, values);
  EXPECT_EQ(values[0].Text(), " 0.25");
  EXPECT_EQ(values[0].Stored(), 0.25);
}

// Values a script gives: numbers printed in their shortest form, texts as given, and each
// column's point found in its own dimension.
TEST(StudyGrid, GivenValuesAreADimensionWithTheirPoints) {
  StudyGrid grid;
  grid.AddValues(ValuesTable{{&FindStudyInput("gamma", false)},
                             {cases::InputValue(0.1), cases::InputValue::OfText("0.20", '.')},
                             2});
  grid.AddValues(
      ValuesTable{{&FindStudyInput("Lend", false)},
                  {cases::InputValue(2.0), cases::InputValue(2.5), cases::InputValue(3.0)},
                  3});
  ASSERT_EQ(grid.CaseCount(), 6u);
  EXPECT_EQ(Texts(grid, 4), (std::vector<std::string>{"0.20", "2.5"}));
  EXPECT_EQ(grid.PointOf(4, 0), 1u);
  EXPECT_EQ(grid.PointOf(4, 1), 1u);
  EXPECT_EQ(grid.PointOf(2, 1), 2u);
  std::vector<cases::InputValue> values;
  grid.CaseValues(5, values);
  EXPECT_EQ(values[0].Stored(), 0.2);
  EXPECT_EQ(values[1].Stored(), 3.0);

  // Cases that name no input are cases all the same.
  StudyGrid none;
  none.AddValues(ValuesTable{{}, {}, 2});
  EXPECT_EQ(none.CaseCount(), 2u);
}

TEST(StudyGrid, TheFirstSweepIsTheOutermostLoop) {
  StudyGrid grid;
  grid.AddSweep(ParseSweep("gamma=0:1:2", false));
  grid.AddSweep(ParseSweep("Lend=2:3:3", false));
  ASSERT_EQ(grid.CaseCount(), 6u);
  const std::vector<std::vector<std::string>> expected = {{"0", "2"}, {"0", "2.5"}, {"0", "3"},
                                                          {"1", "2"}, {"1", "2.5"}, {"1", "3"}};
  for (std::uint64_t index = 0; index < 6; ++index) {
    EXPECT_EQ(Texts(grid, index), expected[index]) << index;
  }
}

TEST(StudyGrid, CasesFileRowsAreOutsideTheSweeps) {
  StudyGrid grid;
  grid.AddCases(ParseCasesTable("Qin,H\n30,0.02\n40,0.03\n", "c.csv", false));
  grid.AddSweep(ParseSweep("W=60:70:2", false));
  ASSERT_EQ(grid.CaseCount(), 4u);
  ASSERT_EQ(grid.Columns().size(), 3u);
  EXPECT_EQ(grid.Columns()[2]->name, "W");
  EXPECT_EQ(Texts(grid, 1), (std::vector<std::string>{"30", "0.02", "70"}));
  EXPECT_EQ(Texts(grid, 2), (std::vector<std::string>{"40", "0.03", "60"}));
}

TEST(StudyGrid, RefusesAnInputVariedTwice) {
  StudyGrid grid;
  grid.AddCases(ParseCasesTable("Qin\n30\n", "c.csv", false));
  EXPECT_THROW(grid.AddSweep(ParseSweep("Qin=1:2:2", false)), StudyError);
}

TEST(StudyGrid, RefusesAStudyTooLargeToCount) {
  StudyGrid grid;
  grid.AddSweep(ParseSweep("Ain=1:2:20000", false));
  grid.AddSweep(ParseSweep("W=1:2:20000", false));
  EXPECT_THROW(grid.AddSweep(ParseSweep("H=1:2:20000", false)), StudyError);
}

TEST(StudyGrid, CountsAHugeGridWithoutHoldingIt) {
  StudyGrid grid;
  grid.AddSweep(ParseSweep("gamma=0:1:100000000", false));
  ASSERT_EQ(grid.CaseCount(), 100'000'000u);
  EXPECT_EQ(Texts(grid, 99'999'999), std::vector<std::string>{"1"});
  EXPECT_EQ(Texts(grid, 50'000'000), std::vector<std::string>{"0.5000000050000001"});
  // 10^16 cases: refused at once, nothing allocated for them.
  EXPECT_THROW(grid.AddSweep(ParseSweep("Lend=2:3:100000000", false)), StudyError);
}

TEST(StudyGrid, ReadsTheRowsOfACasesFileBlockByBlock) {
  testing::ScratchDirectory directory;
  std::string content = "Qin\n";
  for (int row = 0; row < 10; ++row) {
    content += std::to_string(30 + row) + "\n";
  }
  testing::WriteBytes(directory / "cases.csv", content);
  StudyGrid grid;
  grid.AddCases(std::make_shared<CasesFile>(directory / "cases.csv", false));
  grid.AddSweep(ParseSweep("W=60:70:3", false));
  ASSERT_EQ(grid.CaseCount(), 30u);
  grid.LoadCases(4, 4);  // rows 1 and 2
  EXPECT_EQ(Texts(grid, 4), (std::vector<std::string>{"31", "65"}));
  EXPECT_EQ(Texts(grid, 7), (std::vector<std::string>{"32", "65"}));
  EXPECT_THROW(Texts(grid, 9), std::out_of_range);  // row 3 is not read yet
  grid.LoadCases(27, 3);
  EXPECT_EQ(Texts(grid, 29), (std::vector<std::string>{"39", "70"}));
  grid.LoadCases(0, 1);  // back to the start: the file is read again
  EXPECT_EQ(Texts(grid, 0), (std::vector<std::string>{"30", "60"}));
}

TEST(StudyCsv, QuotesOnlyFieldsThatNeedIt) {
  std::string line;
  AppendCsvField(line, "plain 1.5");
  line += '|';
  AppendCsvField(line, "Sorry, this case does not converge.");
  line += '|';
  AppendCsvField(line, "'\"x\"' is\nbad");
  EXPECT_EQ(line, "plain 1.5|\"Sorry, this case does not converge.\"|\"'\"\"x\"\"' is\nbad\"");
}

TEST(StudyCsv, RowsOfFailedCasesLeaveTheirFiguresEmpty) {
  StudyGrid grid;
  grid.AddSweep(ParseSweep("Qin=0:33:2", false));
  std::string text;
  AppendStudyHeader(text, grid);
  std::vector<std::string> texts;
  grid.CaseTexts(0, texts);
  AppendStudyRow(text, texts,
                 CaseResult{.status = base::Outcome::NotConverged, .sweeps = 50, .outcome = "no"});
  AppendStudyRow(text, texts, CaseResult{.status = base::Outcome::NotANumber, .outcome = "bad"});
  grid.CaseTexts(1, texts);
  AppendStudyRow(
      text, texts,
      CaseResult{true, base::Outcome::Converged, 5, "", 173421.75, 0.9, 0.05, -13.25, 17.5});
  EXPECT_EQ(text,
            "Qin,converged,status,sweeps,outcome,entrance_pressure_Pa,uniformity,DelQRms,"
            "Q_DIFF_min,Q_DIFF_max\n"
            "0,false,not_converged,50,no,,,,,\n"
            "0,false,not_a_number,,bad,,,,,\n"
            "33,true,converged,5,,173421.75,0.9,0.05,-13.25,17.5\n");
}

}  // namespace
}  // namespace fluxeta::study
