// The case the main window starts with, and which of its boxes the user may change.
#pragma once

#include <array>

#include "case/case_parameters.h"

namespace fluxeta::cases {

inline constexpr char kDefaultResultFileName[] = "Result.txt";

// The default texts of the sixteen boxes, numbers written with `separator`.
BoxTexts DefaultBoxTexts(char separator);
// The same with the separator in force.
BoxTexts DefaultBoxTexts();

// Boxes the main window disables: lambda, eta0, gamma0, n and gammaCr keep their defaults.
// Indexed by box number − 1.
inline constexpr std::array<bool, 16> kBoxEnabledByDesign = {
    true, true, true, true, true, true, true, false,      // Edit1 … Edit8
    true, false, false, false, true, true, true, false};  // Edit9 … Edit16

}  // namespace fluxeta::cases
