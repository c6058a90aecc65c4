// The errors of the core as Python exceptions: one base class, fluxeta.FluxetaError, and a
// subclass per family of outcome codes, each carrying the system's message and its code.
#pragma once

#include <string_view>

#include <pybind11/pybind11.h>

#include "fluxeta/base/outcome.h"

namespace fluxeta::python {

// Creates the exception classes in `module` and translates every base::FluxetaError
// that leaves a bound function into the class of its outcome.
void RegisterErrors(pybind11::module_& module);

// Raises the exception of `outcome` with `message` (UTF-8) as its text.
[[noreturn]] void RaiseOutcome(base::Outcome outcome, std::string_view message);

}  // namespace fluxeta::python
