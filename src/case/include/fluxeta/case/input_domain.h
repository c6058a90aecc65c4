// Why a value is no value of an input, in a few words, by the input table's domains: a value
// outside its plausible range is a design nobody builds; a value outside its domain is no
// die at all, and no solve of it means anything.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "fluxeta/case/input_table.h"

namespace fluxeta::cases {

// Why `value` is no value of `input`, as "must be above 0", or nothing when it is one.
std::optional<std::string> InputDomainRefusal(std::size_t input, double value);

// Whether the value lies within the input's plausible range.
bool WithinPlausibleRange(std::size_t input, double value);

}  // namespace fluxeta::cases
