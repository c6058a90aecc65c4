// fluxeta.optimise(): the design of chosen inputs between bounds that best meets an
// objective under limits, found by the robust search of every candidate.
#pragma once

#include <pybind11/pybind11.h>

namespace fluxeta::python {

void RegisterOptimise(pybind11::module_& module);

}  // namespace fluxeta::python
