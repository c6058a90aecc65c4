// A case given as inputs (numbers, or texts kept beside the numbers they read as) makes the
// same record, with the same faults in the same order, as the window's boxes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "../support/expect_fault.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/input_value.h"
#include "fluxeta/run/box_texts.h"
#include "fluxeta/run/data_file.h"

namespace fluxeta::cases {
namespace {

using testing::ExpectFault;

void ExpectSameBits(const CaseParameters& a, const CaseParameters& b) {
  for (const InputSpec& input : kInputs) {
    EXPECT_EQ(std::memcmp(&(a.*input.field), &(b.*input.field), sizeof(double)), 0) << input.name;
  }
  EXPECT_EQ(std::memcmp(&a.etaCr, &b.etaCr, sizeof(double)), 0);
  EXPECT_EQ(std::memcmp(&a.theta, &b.theta, sizeof(double)), 0);
}

TEST(InputValue, KeepsItsTextBesideTheNumberItReadsAs) {
  const InputValue cell = InputValue::OfText(" 2,75 ", ',');
  EXPECT_TRUE(cell.IsNumber());
  EXPECT_EQ(cell.Number(), 2.75);
  EXPECT_EQ(cell.Stored(), 2.75);
  EXPECT_EQ(cell.Text(), " 2,75 ");

  const InputValue number = 0.35;
  EXPECT_EQ(number.Text(), std::nullopt);
  EXPECT_EQ(number.Stored(), 0.35);
}

TEST(InputValue, RefusesABadTextOnlyWhenStoredAndNamesIt) {
  const InputValue word = InputValue::OfText("wide", '.');
  EXPECT_FALSE(word.IsNumber());
  EXPECT_EQ(word.Text(), "wide");
  try {
    (void)word.Stored();
    ADD_FAILURE() << "a word was stored";
  } catch (const base::ConversionError& error) {
    EXPECT_EQ(error.text(), "wide");
  }
  // A comma is no decimal separator under a point.
  EXPECT_FALSE(InputValue::OfText("2,5", '.').IsNumber());
  ExpectFault([] { (void)InputValue::OfText("1e400", '.').Stored(); },
              base::FloatingPointFault::Overflow, "浮動小数点数のオーバーフロー");
}

// The texts of every input, read as inputs and as boxes: the records agree bit for bit, and
// the first bad input in input order (γcr before ρ, though ρ's box comes first) is refused
// with the fields before it stored.
TEST(CaseInputs, MakeTheRecordOfTheBoxesAndFailAtTheSameInput) {
  run::BoxTexts boxes = run::DefaultBoxTexts(',');
  boxes.Input(*FindInput("Lend")) = "2,7";
  boxes.Input(*FindInput("rho")) = " 0,9";
  CaseParameters fromBoxes;
  run::ReadCaseFromForm(boxes, ',', fromBoxes);
  const CaseInputs inputs = run::InputsOfBoxes(boxes, ',');
  EXPECT_EQ(inputs[*FindInput("rho")].Text(), " 0,9");
  ExpectSameBits(MakeCase(inputs), fromBoxes);

  boxes.Input(*FindInput("rho")) = "heavy";
  boxes.Input(*FindInput("gammacr")) = "";
  CaseParameters stored;
  try {
    StoreInputs(stored, run::InputsOfBoxes(boxes, ','));
    ADD_FAILURE() << "the case was made";
  } catch (const base::ConversionError& error) {
    EXPECT_EQ(error.text(), "");
  }
  EXPECT_EQ(stored.Lend, 2.7);
  EXPECT_EQ(stored.rho, 0.0);
}

TEST(CaseInputs, TheDefaultCaseIsTheDefaultBoxes) {
  CaseParameters fromBoxes;
  run::ReadCaseFromForm(run::DefaultBoxTexts('.'), '.', fromBoxes);
  ExpectSameBits(MakeCase(DefaultCaseInputs()), fromBoxes);
  EXPECT_EQ(MakeCase(DefaultCaseInputs()).ResultFileName, kDefaultResultFileName);
}

// A data file gives the inputs what it gives the boxes: the same enabled inputs, the same
// texts, and nothing at all when it is refused.
TEST(CaseInputs, ADataFileSetsTheInputsItSetsInTheBoxes) {
  run::DataFileLines lines;
  for (std::size_t input = 0; input < kInputCount; ++input) {
    lines[input] = "x = " + std::to_string(input + 1) + ",5 cm";
  }
  run::BoxTexts boxes = run::DefaultBoxTexts(',');
  CaseInputs inputs = run::InputsOfBoxes(boxes, ',');
  ASSERT_EQ(run::ApplyDataFileLines(lines, "/d.txt", boxes, run::kBoxEnabledByDesign),
            std::nullopt);
  ASSERT_EQ(run::ApplyDataFileLines(lines, "/d.txt", inputs, run::kInputsEnabledByDesign, ','),
            std::nullopt);
  const CaseInputs fromBoxes = run::InputsOfBoxes(boxes, ',');
  for (std::size_t input = 0; input < kInputCount; ++input) {
    EXPECT_EQ(inputs[input].Text(), fromBoxes[input].Text()) << kInputs[input].name;
    EXPECT_EQ(inputs[input].Number(), fromBoxes[input].Number()) << kInputs[input].name;
  }
  EXPECT_EQ(inputs[*FindInput("Qin")].Text(), "15,5");
  EXPECT_EQ(inputs[*FindInput("n")].Text(), "0,5");  // fixed in the window: kept

  lines[14] = "no equals sign";
  const CaseInputs before = inputs;
  EXPECT_EQ(run::ApplyDataFileLines(lines, "/d.txt", inputs, run::kInputsEnabledByDesign, ','),
            "\"/d.txt\" is not a correct data file!");
  for (std::size_t input = 0; input < kInputCount; ++input) {
    EXPECT_EQ(inputs[input].Text(), before[input].Text()) << kInputs[input].name;
  }
}

}  // namespace
}  // namespace fluxeta::cases
