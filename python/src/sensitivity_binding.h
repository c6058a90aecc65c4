// fluxeta.sensitivity(): how strongly each input moves a solved design.
#pragma once

#include <pybind11/pybind11.h>

namespace fluxeta::python {

void RegisterSensitivity(pybind11::module_& module);

}  // namespace fluxeta::python
