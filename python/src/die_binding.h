// fluxeta.solve_die() and the result it returns: a die document solved by the general die
// model, its figures and station table, and the tables of the families a document may name.
#pragma once

#include <pybind11/pybind11.h>

namespace fluxeta::python {

// Defines fluxeta.DieResult, fluxeta.solve_die, fluxeta.die_families and
// fluxeta.manifold_shapes.
void RegisterDie(pybind11::module_& module);

}  // namespace fluxeta::python
