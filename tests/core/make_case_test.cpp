// Cases made from values: the same records, derived values and faults as reading the
// window's boxes.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "../support/expect_fault.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/run/box_texts.h"

namespace fluxeta::cases {
namespace {

using run::BoxTexts;
using run::DefaultBoxTexts;
using run::ReadCaseFromForm;

using testing::ExpectFault;

// Every field, the derived ones included, compared as bits.
void ExpectSameRecord(const CaseParameters& made, const CaseParameters& read) {
  for (const InputSpec& input : kInputs) {
    EXPECT_EQ(std::memcmp(&(made.*input.field), &(read.*input.field), sizeof(double)), 0)
        << input.name;
  }
  for (const DerivedSpec& derived : kDerivedValues) {
    EXPECT_EQ(std::memcmp(&(made.*derived.field), &(read.*derived.field), sizeof(double)), 0)
        << derived.fieldName;
  }
  EXPECT_EQ(made.ResultFileName, read.ResultFileName);
}

CaseParameters ReadBoxes(const BoxTexts& boxes) {
  CaseParameters parameters;
  ReadCaseFromForm(boxes, '.', parameters);
  return parameters;
}

TEST(MakeCase, GivesTheRecordOfTheDefaultBoxes) {
  ExpectSameRecord(MakeCase(DefaultCaseValues()), ReadBoxes(DefaultBoxTexts('.')));
  EXPECT_EQ(InputValues(MakeCase(DefaultCaseValues())), DefaultCaseValues());
}

TEST(MakeCase, DerivesAsTheBoxesDoForOtherMaterials) {
  BoxTexts boxes = DefaultBoxTexts('.');
  CaseValues values = DefaultCaseValues();
  for (const auto& [name, text, value] :
       {std::tuple{"n", "0.37", 0.37}, std::tuple{"gamma0", "2.5", 2.5},
        std::tuple{"Lend", "3.7", 3.7}}) {
    boxes.Input(*FindInput(name)) = text;
    values[*FindInput(name)] = value;
  }
  ExpectSameRecord(MakeCase(values), ReadBoxes(boxes));
}

// Each fault as reading the boxes raises it, with the fields stored before it.
TEST(MakeCase, FaultsAsReadingTheBoxes) {
  struct Fault {
    const char* input;
    double value;
    const char* text;
    base::FloatingPointFault fault;
    const char* message;
  };
  const double infinity = std::numeric_limits<double>::infinity();
  for (const Fault& fault : {
           Fault{"W", 0.0, "0", base::FloatingPointFault::DivisionByZero,
                 "0 による浮動小数点数除算"},
           Fault{"gamma0", 0.0, "0", base::FloatingPointFault::DivisionByZero,
                 "0 による浮動小数点数除算"},
           Fault{"Qin", infinity, "1e400", base::FloatingPointFault::Overflow,
                 "浮動小数点数のオーバーフロー"},
       }) {
    CaseValues values = DefaultCaseValues();
    values[*FindInput(fault.input)] = fault.value;
    BoxTexts boxes = DefaultBoxTexts('.');
    boxes.Input(*FindInput(fault.input)) = fault.text;
    ExpectFault([&] { MakeCase(values); }, fault.fault, fault.message);
    ExpectFault([&] { ReadBoxes(boxes); }, fault.fault, fault.message);
  }
}

TEST(MakeCase, LeavesTheSameMixtureAsTheBoxesWhenW0Faults) {
  CaseValues values = DefaultCaseValues();
  values[*FindInput("W")] = 0.0;
  values[*FindInput("Qin")] = 12.5;
  CaseParameters made;
  EXPECT_THROW(StoreInputs(made, [&](std::size_t input) { return values[input]; }),
               base::FloatingPointError);
  EXPECT_EQ(made.Qin, 12.5);  // stored before θ faults
  EXPECT_EQ(made.theta, 0.0);
}

TEST(MakeCase, RefusesNotANumberAsAnInvalidOperation) {
  CaseValues values = DefaultCaseValues();
  values[*FindInput("H")] = std::numeric_limits<double>::quiet_NaN();
  ExpectFault([&] { MakeCase(values); }, base::FloatingPointFault::InvalidOperation,
              "不正な浮動小数点数演算命令");
}

}  // namespace
}  // namespace fluxeta::cases
