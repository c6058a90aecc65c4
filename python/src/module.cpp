// The compiled half of the Python package fluxeta; fluxeta/__init__.py re-exports it.
#include <pybind11/pybind11.h>

#include "case_inputs.h"
#include "coating_binding.h"
#include "die_binding.h"
#include "liquid_binding.h"
#include "optimise_binding.h"
#include "python_errors.h"
#include "sensitivity_binding.h"
#include "solve_result.h"
#include "study_binding.h"
#include "tolerance_binding.h"

PYBIND11_MODULE(_fluxeta, module) {
  module.doc() = "The compiled core of the package fluxeta; import fluxeta instead.";
  module.attr("__version__") = FLUXETA_VERSION;
  fluxeta::python::RegisterErrors(module);
  fluxeta::python::RegisterSolve(module);
  fluxeta::python::RegisterStudy(module);
  fluxeta::python::RegisterOptimise(module);
  fluxeta::python::RegisterSensitivity(module);
  fluxeta::python::RegisterTolerance(module);
  fluxeta::python::RegisterCoatingWindow(module);
  fluxeta::python::RegisterLiquids(module);
  fluxeta::python::RegisterDie(module);
  module.def(
      "inputs", &fluxeta::python::InputTable,
      R"doc(The fifteen case inputs in input order, a list of dicts with the keys name (the short name
that solve() and study() take), unit, label (the window's label), default (the value of
the default case), fixed_in_window (the window keeps the default) and plausible_range
(low, high), a range a die designer would study.
)doc");
  // The package re-exports the functions; help() and tracebacks name them by it.
  for (const char* function :
       {"solve", "study", "optimise", "sensitivity", "tolerance", "coating_window", "inputs",
        "liquids", "viscosity", "fit_liquid", "solve_die", "die_document_tables"}) {
    module.attr(function).attr("__module__") = "fluxeta";
  }
}
