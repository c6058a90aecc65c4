// fluxeta.tolerance(): the spread of a design's figures over its tolerances.
#pragma once

#include <pybind11/pybind11.h>

namespace fluxeta::python {

void RegisterTolerance(pybind11::module_& module);

}  // namespace fluxeta::python
