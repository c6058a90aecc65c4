#include "fluxeta/run/data_file.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/expected_files.h"
#include "../support/scratch_directory.h"
#include "fluxeta/case/default_case.h"

namespace fluxeta::run {
namespace {

using testing::ScratchDirectory;
using testing::WriteBytes;

constexpr EnabledBoxes kEveryBox = {true, true, true, true, true, true, true, true,
                                    true, true, true, true, true, true, true, true};

// Fifteen well-formed lines "label k = value" with the given values in input order.
DataFileLines LinesWithValues(const std::array<std::string, 15>& values) {
  DataFileLines lines;
  for (int k = 0; k < kDataFileLineCount; ++k) {
    lines[k] = "label " + std::to_string(k + 1) + " = " + values[k];
  }
  return lines;
}

DataFileLines UniformLines(const std::string& value) {
  std::array<std::string, 15> values;
  values.fill(value);
  return LinesWithValues(values);
}

// The value each box gets from a file whose only valid line is line 1 with `line`.
std::string ValueOfLine(const std::string& line) {
  DataFileLines lines = UniformLines("0");
  lines[0] = line;
  run::BoxTexts boxes = run::DefaultBoxTexts('.');
  EXPECT_EQ(ApplyDataFileLines(lines, "/data.txt", boxes, run::kBoxEnabledByDesign), std::nullopt);
  return boxes.Edit(1);
}

TEST(ReadDataFileLines, SplitsAtLineFeedsAndDropsEveryCarriageReturn) {
  const ScratchDirectory scratch;
  WriteBytes(scratch.path() / "d.txt", "a = 1\r\nb = 2\rx\nc = 3\n\r\nlast without end");
  const auto lines = ReadDataFileLines(scratch / "d.txt");
  ASSERT_TRUE(lines);
  EXPECT_EQ((*lines)[0], "a = 1");
  EXPECT_EQ((*lines)[1], "b = 2x");
  EXPECT_EQ((*lines)[2], "c = 3");
  EXPECT_EQ((*lines)[3], "");
  EXPECT_EQ((*lines)[4], "last without end");
  for (int k = 5; k < kDataFileLineCount; ++k) {
    EXPECT_EQ((*lines)[k], "") << "missing line " << k + 1;
  }
}

TEST(ReadDataFileLines, IgnoresEverythingAfterTheFifteenthLine) {
  const ScratchDirectory scratch;
  std::string text;
  for (int k = 1; k <= 15; ++k) {
    text += "line " + std::to_string(k) + " = " + std::to_string(k) + "\n";
  }
  text += "no equals sign\n" + std::string(100000, '\r') + "garbage";
  WriteBytes(scratch.path() / "d.txt", text);
  const auto lines = ReadDataFileLines(scratch / "d.txt");
  ASSERT_TRUE(lines);
  EXPECT_EQ((*lines)[14], "line 15 = 15");
}

TEST(ReadDataFileLines, FailsForAFileThatCannotBeRead) {
  const ScratchDirectory scratch;
  EXPECT_EQ(ReadDataFileLines(scratch / "missing.txt"), std::nullopt);
  EXPECT_EQ(ReadDataFileLines(scratch.path().string()), std::nullopt);  // a directory
  EXPECT_EQ(ReadDataFileLines(""), std::nullopt);
}

TEST(ApplyDataFileLines, TakesTheFirstWordAfterTheFirstEqualsSign) {
  EXPECT_EQ(ValueOfLine("Entrance area = 3.5 cm"), "3.5");
  EXPECT_EQ(ValueOfLine("two signs = 4 = 5"), "4");
  EXPECT_EQ(ValueOfLine("no blank =2.25"), "2.25");
  EXPECT_EQ(ValueOfLine("=1.5"), "1.5");
  EXPECT_EQ(ValueOfLine("nothing after ="), "");
  EXPECT_EQ(ValueOfLine("only blanks =    "), "");
  // A tab is not a blank: it stays in the value, and the next run refuses the text.
  EXPECT_EQ(ValueOfLine("tab =\t3.0"), "\t3.0");
  EXPECT_EQ(ValueOfLine("tab after = 3.0\tcm"), "3.0\tcm");
}

TEST(ApplyDataFileLines, SetsOnlyTheEnabledBoxesInTheirInputOrder) {
  std::array<std::string, 15> values;
  for (int k = 0; k < 15; ++k) {
    values[k] = "v" + std::to_string(k + 1);
  }
  run::BoxTexts boxes = run::DefaultBoxTexts('.');
  ASSERT_EQ(ApplyDataFileLines(LinesWithValues(values), "/d.txt", boxes, run::kBoxEnabledByDesign),
            std::nullopt);
  const run::BoxTexts defaults = run::DefaultBoxTexts('.');
  // Lines 13, 14, 15 go to Edit16, Edit13, Edit14.
  const std::array<std::string, 16> expected = {"v1",
                                                "v2",
                                                "v3",
                                                "v4",
                                                "v5",
                                                "v6",
                                                "v7",
                                                defaults.Edit(8),
                                                "v9",
                                                defaults.Edit(10),
                                                defaults.Edit(11),
                                                defaults.Edit(12),
                                                "v14",
                                                "v15",
                                                "Result.txt",
                                                defaults.Edit(16)};
  EXPECT_EQ(boxes.texts, expected);

  run::BoxTexts all = run::DefaultBoxTexts('.');
  ASSERT_EQ(ApplyDataFileLines(LinesWithValues(values), "/d.txt", all, kEveryBox), std::nullopt);
  EXPECT_EQ(all.Edit(8), "v8");
  EXPECT_EQ(all.Edit(16), "v13");
  EXPECT_EQ(all.Edit(13), "v14");
  EXPECT_EQ(all.Edit(14), "v15");
  EXPECT_EQ(all.Edit(15), "Result.txt");
}

TEST(ApplyDataFileLines, RefusesTheWholeFileWhenAnyLineHasNoEqualsSign) {
  for (int bad : {0, 7, 14}) {  // an enabled line, a disabled one, the last one
    DataFileLines lines = UniformLines("9.0");
    lines[bad] = "label without value 9.0";
    run::BoxTexts boxes = run::DefaultBoxTexts('.');
    EXPECT_EQ(ApplyDataFileLines(lines, "/home/u/case.txt", boxes, run::kBoxEnabledByDesign),
              "\"/home/u/case.txt\" is not a correct data file!")
        << "bad line " << bad + 1;
    EXPECT_EQ(boxes.texts, run::DefaultBoxTexts('.').texts) << "bad line " << bad + 1;
  }
}

TEST(ApplyDataFileLines, RefusesAFileOfFewerThanFifteenLines) {
  const ScratchDirectory scratch;
  std::string text;
  for (int k = 1; k <= 14; ++k) {
    text += "line = 1\r\n";
  }
  WriteBytes(scratch.path() / "short.txt", text);
  run::BoxTexts boxes = run::DefaultBoxTexts('.');
  EXPECT_EQ(ApplyDataFileLines(ReadDataFileLines(scratch / "short.txt").value(), "short.txt", boxes,
                               run::kBoxEnabledByDesign),
            "\"short.txt\" is not a correct data file!");
}

TEST(DataFile, RefusesAWholeResultFileButAcceptsItsValueLines) {
  const ScratchDirectory scratch;
  const std::string result = testing::DefaultResultFile();
  WriteBytes(scratch.path() / "Result.txt", result);
  run::BoxTexts boxes;
  EXPECT_EQ(ApplyDataFileLines(ReadDataFileLines(scratch / "Result.txt").value(), "Result.txt",
                               boxes, kEveryBox),
            "\"Result.txt\" is not a correct data file!");

  // Lines 3 to 17 on their own, still with CR LF ends and code page 932 labels.
  const auto start = result.find("   Entrance cross sectional area");
  const auto end = result.find("\r\n\r\n[RESULT]");
  WriteBytes(scratch.path() / "case.txt", result.substr(start, end + 2 - start));
  ASSERT_EQ(ApplyDataFileLines(ReadDataFileLines(scratch / "case.txt").value(), "case.txt", boxes,
                               kEveryBox),
            std::nullopt);
  boxes.Edit(run::kResultFileNameBox) = cases::kDefaultResultFileName;
  cases::CaseParameters fromFile;
  cases::CaseParameters fromDefaults;
  run::ReadCaseFromForm(boxes, '.', fromFile);
  run::ReadCaseFromForm(run::DefaultBoxTexts('.'), '.', fromDefaults);
  EXPECT_EQ(fromFile.Ain, fromDefaults.Ain);
  EXPECT_EQ(fromFile.gamma, fromDefaults.gamma);
  EXPECT_EQ(fromFile.Pein, fromDefaults.Pein);
  EXPECT_EQ(fromFile.H, fromDefaults.H);
  EXPECT_EQ(fromFile.gammaCr, fromDefaults.gammaCr);
  EXPECT_EQ(fromFile.rho, fromDefaults.rho);
  EXPECT_EQ(fromFile.Qin, fromDefaults.Qin);
  EXPECT_EQ(fromFile.etaCr, fromDefaults.etaCr);
  EXPECT_EQ(fromFile.theta, fromDefaults.theta);
}

}  // namespace
}  // namespace fluxeta::run
