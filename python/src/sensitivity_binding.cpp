#include "sensitivity_binding.h"

#include <optional>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "design_case.h"
#include "fluxeta/base/outcome.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/design_tables.h"
#include "fluxeta/design/sensitivity.h"
#include "python_errors.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

py::dict Sensitivity(bool allInputs, std::optional<double> relativeStep, const py::kwargs& base) {
  const design::CaseDesignModel model(DesignBase(base));
  const design::SensitivitySettings settings{allInputs, relativeStep};
  design::CheckSensitivities(settings, PythonSettingNames());
  design::SensitivityResult result;
  {
    py::gil_scoped_release release;
    result = design::Sensitivities(model, settings);
  }
  if (!result.centre.Solved()) {
    RaiseOutcome(result.centre.status, "the design is not solved (" +
                                           std::string(base::OutcomeCode(result.centre.status)) +
                                           "); sensitivities need a converged design");
  }
  return TableColumns(design::SensitivityColumns(model), result.rows);
}

}  // namespace

void RegisterSensitivity(py::module_& module) {
  module.def(
      "sensitivity", &Sensitivity, py::kw_only(), py::arg("all_inputs") = false,
      py::arg("relative_step") = py::none(),
      R"doc(How strongly each input moves a design, as fluxeta-batch --sensitivity gives it: the
change of uniformity and of entrance pressure per unit and per 1 % change of each input,
by central differences with the robust search (the GIL released).

The design's inputs are keyword arguments by short name, as solve() takes them; the rest
take the default case. The inputs studied are those the window lets the user change, or
all fifteen with all_inputs=True. Each is solved at value - step and value + step, the
step being relative_step (None: 0.001) times the value, or times the plausible range
where the value is zero.

Returns a dict of NumPy arrays, one row per input, sorted by the size of the effect on
uniformity, largest first, the inputs whose neighbours could not be solved last: name and
unit (str), value and step (in the input's unit), solved (bool), uniformity_per_unit,
uniformity_per_percent, entrance_pressure_Pa_per_unit and
entrance_pressure_Pa_per_percent (NaN where not solved), so that
pandas.DataFrame(fluxeta.sensitivity()) makes the table.

A design that is not solved raises a fluxeta.FluxetaError whose code is its outcome
("not_converged", "regime_gap", ...); relative_step outside [1e-6, 1) raises ValueError
(a smaller step drowns the difference in the solve's own error).

    >>> rows = fluxeta.sensitivity(gamma=0.2)
    >>> dict(zip(rows["name"], rows["uniformity_per_percent"]))
)doc");
}

}  // namespace fluxeta::python
