// The case the main window starts with, and which of its boxes the user may change.
#pragma once

#include <array>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/input_table.h"

namespace fluxeta::cases {

// The default texts of the sixteen boxes, numbers written with `separator`.
BoxTexts DefaultBoxTexts(char separator);

// The fifteen values of the default case, read from its texts.
CaseValues DefaultCaseValues();

// Boxes the main window enables, indexed by box number − 1: every box but those of the
// inputs it keeps fixed (lambda, eta0, gamma0, n and gammacr).
constexpr std::array<bool, 16> BoxesEnabledByDesign() {
  std::array<bool, 16> enabled{};
  enabled.fill(true);
  for (const InputSpec& input : kInputs) {
    enabled[input.box - 1] = !input.fixedInWindow;
  }
  return enabled;
}
inline constexpr std::array<bool, 16> kBoxEnabledByDesign = BoxesEnabledByDesign();

}  // namespace fluxeta::cases
