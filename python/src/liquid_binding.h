// fluxeta.liquids(), fluxeta.viscosity() and fluxeta.fit_liquid(): the liquid models, a
// liquid's flow curve, and a model fitted to a measured one.
#pragma once

#include <pybind11/pybind11.h>

namespace fluxeta::python {

void RegisterLiquids(pybind11::module_& module);

}  // namespace fluxeta::python
