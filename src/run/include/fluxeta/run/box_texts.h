// The main window's sixteen edit boxes Edit1 … Edit16 as the calculation run of its OK
// button reads them: one box per input, and the result file name.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/input_table.h"

namespace fluxeta::run {

inline constexpr int kBoxCount = static_cast<int>(cases::kInputCount) + 1;

// The box each input is read from, in input order. The window numbered its boxes as it was
// laid out, so that γcr is read from Edit16, and ρ and Qin from Edit13 and Edit14.
inline constexpr std::array<int, cases::kInputCount> kInputBoxes = {1, 2,  3,  4,  5,  6,  7, 8,
                                                                    9, 10, 11, 12, 16, 13, 14};
// The box of the result file name, the one box that holds no input, and its first text.
inline constexpr int kResultFileNameBox = 15;

constexpr bool EveryBoxOnce() {
  std::array<int, kBoxCount> uses{};
  for (const int box : kInputBoxes) {
    ++uses.at(box - 1);
  }
  ++uses.at(kResultFileNameBox - 1);
  for (const int count : uses) {
    if (count != 1) {
      return false;
    }
  }
  return true;
}
static_assert(EveryBoxOnce(), "each box holds one input or the result file name");

// The texts of the sixteen boxes; Edit(k) is box k.
struct BoxTexts {
  std::array<std::string, kBoxCount> texts;

  std::string& Edit(int box) { return texts.at(box - 1); }
  const std::string& Edit(int box) const { return texts.at(box - 1); }
  std::string& Input(std::size_t input) { return Edit(kInputBoxes.at(input)); }
  const std::string& Input(std::size_t input) const { return Edit(kInputBoxes.at(input)); }
};

// Boxes the main window enables, indexed by box number − 1: every box but those of the
// inputs it keeps fixed (lambda, eta0, gamma0, n and gammacr).
using EnabledBoxes = std::array<bool, kBoxCount>;
constexpr EnabledBoxes BoxesEnabledByDesign() {
  EnabledBoxes enabled{};
  enabled.fill(true);
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    enabled[kInputBoxes[input] - 1] = !cases::kInputs[input].fixedInWindow;
  }
  return enabled;
}
inline constexpr EnabledBoxes kBoxEnabledByDesign = BoxesEnabledByDesign();

// The default texts of the sixteen boxes, numbers written with `separator`.
BoxTexts DefaultBoxTexts(char separator);

// The inputs of the boxes, numbers written with `separator`; a text is refused only when a
// case is made of it.
cases::CaseInputs InputsOfBoxes(const BoxTexts& boxes, char separator);

// Converts the box texts, numbers written with `separator`, into the case, field by field
// in reading order. A text that is not a number raises ConversionError, a value beyond the
// double range or a fault in a derived value raises FloatingPointError; the fields stored
// before the failure keep their new values and the rest keep their old ones.
void ReadCaseFromForm(const BoxTexts& boxes, char separator, cases::CaseParameters& parameters);

}  // namespace fluxeta::run
