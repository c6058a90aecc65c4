// fluxeta.study(): many cases solved in parallel, the rows of fluxeta-batch's study CSV
// as a dict of NumPy arrays.
#pragma once

#include <pybind11/pybind11.h>

namespace fluxeta::python {

void RegisterStudy(pybind11::module_& module);

}  // namespace fluxeta::python
