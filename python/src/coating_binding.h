// fluxeta.coating_window(): whether the coating bead holds across the whole web of a
// solved die at a line's operating point.
#pragma once

#include <pybind11/pybind11.h>

namespace fluxeta::python {

void RegisterCoatingWindow(pybind11::module_& module);

}  // namespace fluxeta::python
