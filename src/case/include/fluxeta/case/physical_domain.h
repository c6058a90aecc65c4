// Where a value can lie at all, whatever a designer would choose: a length, an area, a
// viscosity or a density above zero, a taper factor of either sign. Bounds, limits and
// tolerances that leave the domain ask for a die that cannot exist, and are refused.
#pragma once

#include <string_view>

namespace fluxeta::cases {

enum class PhysicalDomain {
  Real,         // any finite number
  NonNegative,  // zero or more
  Positive,     // above zero
};

// True when `value` is finite and lies in `domain`.
bool InDomain(PhysicalDomain domain, double value);

// "a finite number", "a finite number of at least 0", "a positive finite number".
std::string_view DomainText(PhysicalDomain domain);

}  // namespace fluxeta::cases
