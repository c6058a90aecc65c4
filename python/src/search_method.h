// The searches for the entrance pressure that a script chooses by name.
#pragma once

#include <string_view>

#include "fluxeta/solver/search.h"

namespace fluxeta::python {

// The search of that name ("window" or "robust"); raises ValueError listing the known
// names.
solver::Search ParseSearchMethod(std::string_view name);

}  // namespace fluxeta::python
