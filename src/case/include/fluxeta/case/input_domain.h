// The values an input can take for a die and a liquid to exist: every length, area,
// shape factor, material value and flow rate above zero, the taper factor zero or above.
// A value outside its plausible range is a design nobody builds; a value outside its
// domain is no die at all, and no solve of it means anything.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>

#include "fluxeta/case/input_table.h"

namespace fluxeta::cases {

struct InputDomain {
  double lowest = 0;
  bool lowestIncluded = false;  // whether `lowest` itself is in the domain
};

// By input, in input order.
extern const std::array<InputDomain, kInputCount> kInputDomains;

// Why `value` is no value of `input`, as "must be above 0", or nothing when it is one.
std::optional<std::string> InputDomainRefusal(std::size_t input, double value);

// Whether the value lies within the input's plausible range (input_table.h).
bool WithinPlausibleRange(std::size_t input, double value);

}  // namespace fluxeta::cases
