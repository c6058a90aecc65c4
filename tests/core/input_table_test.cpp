// The input table drives the names, labels, boxes and defaults of every output.
#include <gtest/gtest.h>

#include <set>

#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/run/box_texts.h"
#include "fluxeta/run/result_file.h"

namespace fluxeta::cases {
namespace {

TEST(InputTable, NamesAndBoxesAreUnique) {
  std::set<std::string_view> names;
  std::set<int> boxes;
  for (std::size_t k = 0; k < kInputCount; ++k) {
    const InputSpec& input = kInputs[k];
    const int box = run::kInputBoxes[k];
    names.insert(input.name);
    boxes.insert(box);
    EXPECT_NE(box, run::kResultFileNameBox) << input.name;
    EXPECT_LE(input.plausibleLow, input.plausibleHigh) << input.name;
  }
  EXPECT_EQ(names.size(), kInputCount);
  EXPECT_EQ(boxes.size(), kInputCount);
}

TEST(InputTable, FindsAnInputByItsShortNameOnly) {
  EXPECT_EQ(FindInput("gammacr"), 12u);
  EXPECT_EQ(run::kInputBoxes[12], 16);
  EXPECT_EQ(FindInput("gammaCr"), std::nullopt);  // the record's field name
  EXPECT_EQ(FindInput("Qin"), 14u);
  EXPECT_EQ(FindInput(""), std::nullopt);
}

// One input followed through the result file and the default case: its label, its value
// in its style, and its default box text.
TEST(InputTable, DrivesTheResultFileLabelAndTheDefaultText) {
  const InputSpec& gap = kInputs[*FindInput("H")];
  const int gapBox = run::kInputBoxes[*FindInput("H")];
  const std::string section = run::InputSectionText(MakeCase(DefaultCaseValues()), '.');
  EXPECT_NE(section.find(std::string(gap.resultLabel) + "0.0254\r\n"), std::string::npos);
  EXPECT_EQ(run::DefaultBoxTexts(',').Edit(gapBox), "0,0254");
  EXPECT_EQ(gap.windowLabel, "Slot gap   H (cm)");
  EXPECT_FALSE(run::kBoxEnabledByDesign[run::kInputBoxes[*FindInput("n")] - 1]);
  EXPECT_TRUE(run::kBoxEnabledByDesign[gapBox - 1]);
}

}  // namespace
}  // namespace fluxeta::cases
