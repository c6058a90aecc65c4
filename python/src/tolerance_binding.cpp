#include "tolerance_binding.h"

#include <string>
#include <vector>

#include "case_inputs.h"
#include "design_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/design_tables.h"
#include "fluxeta/design/tolerance_band.h"
#include "python_errors.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

// The tolerance of the input named `name`: a text as fluxeta-batch --tolerance reads it
// after NAME=, or a number, ± that much in the input's unit.
design::Tolerance ReadTolerance(const design::DesignModel& model, py::handle name,
                                py::handle amount) {
  const std::size_t input = InputOfKey(name, UnknownName::AsKey);
  const std::string inputName(cases::kInputs[input].name);
  if (py::isinstance<py::str>(amount)) {
    const design::ParsedTolerance parsed =
        design::ParseTolerance(model, inputName + "=" + amount.cast<std::string>());
    if (!parsed.tolerance) {
      throw py::value_error(parsed.refusal);
    }
    return *parsed.tolerance;
  }
  if (!IsBoolean(amount)) {
    const double delta = PyFloat_AsDouble(amount.ptr());
    if (!(delta == -1.0 && PyErr_Occurred())) {
      return design::Tolerance{input, delta, false};
    }
    PyErr_Clear();
  }
  throw py::value_error("the tolerance of '" + inputName +
                        "' must be a text such as '±0.0005' or '±10%', or a finite number of at "
                        "least 0, not " +
                        std::string(py::repr(amount)));
}

py::dict Tolerance(const py::dict& given, bool allInputs, const py::kwargs& base) {
  const design::CaseDesignModel model(DesignBase(base));
  design::ToleranceSettings settings;
  settings.allInputs = allInputs;
  for (const auto [name, amount] : given) {
    settings.tolerances.push_back(ReadTolerance(model, name, amount));
  }
  design::CheckToleranceBand(model, settings, PythonSettingNames());
  design::ToleranceBand band;
  {
    py::gil_scoped_release release;
    band = design::EvaluateToleranceBand(model, settings);
  }
  if (!band.Complete()) {
    const base::Outcome outcome =
        band.firstUnsolved ? band.firstUnsolved->status : base::Outcome::NotConverged;
    RaiseOutcome(outcome, "the tolerance band is incomplete: " +
                              design::UnsolvedPointsText(model, band) + "; no band is given");
  }
  return PythonOfJson(design::ToleranceReport(model, band));
}

}  // namespace

void RegisterTolerance(py::module_& module) {
  module.def(
      "tolerance", &Tolerance, py::arg("tolerances"), py::kw_only(), py::arg("all_inputs") = false,
      R"doc(The spread of a design's figures when its inputs vary within manufacturing or operating
tolerances, as fluxeta-batch --tolerance gives it: the worst and best uniformity and
entrance pressure over the centre and the 2^k corners of the tolerance box, each solved
with the robust search (the GIL released).

tolerances is a dict {name: tolerance} of at most 12 inputs (those the window keeps
fixed need all_inputs=True); a tolerance is a text
"±DELTA" (or "+-DELTA", or a plain number) in the input's unit, "±PCT%" of the input's
value, or a number, ± that much in the input's unit. The design's inputs are further
keyword arguments by short name, as solve() takes them; the rest take the default case.

Returns a dict: corners and unsolved_corners (int), uniformity and entrance_pressure_Pa of
the centre, worst_uniformity, best_uniformity, lowest_entrance_pressure_Pa and
highest_entrance_pressure_Pa over the centre and every corner, and
worst_uniformity_inputs, the fifteen inputs {name: value} of the point of lowest
uniformity. A band is only as good as its points: when the centre or a corner cannot be
solved, a fluxeta.FluxetaError whose code is the first such point's outcome names it,
and no band is given. A tolerance that cannot be read, more than 12, or one whose corners
leave the input's physical domain (a negative gap, say) raises ValueError.

    >>> band = fluxeta.tolerance({"H": "±0.0005", "Qin": "±10%"})
    >>> band["worst_uniformity"], band["highest_entrance_pressure_Pa"]
)doc");
}

}  // namespace fluxeta::python
