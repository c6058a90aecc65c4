// The real power x^y used by every formula of the program.
#pragma once

#include "case/checked_real.h"

namespace fluxeta::cases {

// y = 0 gives 1; x = 0 with y > 0 gives 0; a whole-number y is applied by repeated
// multiplication, so a negative x is allowed; otherwise e^(y·ln x), which is an invalid
// operation for a negative x and a division by zero for x = 0.
// The wide form keeps the 64-bit significand; the plain form rounds to double once.
WideReal WidePower(WideReal x, WideReal y);
Real Power(Real x, Real y);

}  // namespace fluxeta::cases
