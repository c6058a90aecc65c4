#include "tolerance_binding.h"

#include <cmath>
#include <string>
#include <vector>

#include "case_inputs.h"
#include "design_case.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/tolerance_band.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

// The tolerance of the input named `name`: a text as fluxeta-batch --tolerance reads it
// after NAME=, or a number, ± that much in the input's unit.
design::Tolerance ReadTolerance(py::handle name, py::handle amount) {
  const std::size_t input = InputOfKey(name, UnknownName::AsKey);
  const std::string inputName(cases::kInputs[input].name);
  if (py::isinstance<py::str>(amount)) {
    const design::ParsedTolerance parsed =
        design::ParseTolerance(inputName + "=" + amount.cast<std::string>());
    if (!parsed.tolerance) {
      throw py::value_error(parsed.refusal);
    }
    return *parsed.tolerance;
  }
  if (!py::isinstance<py::bool_>(amount)) {
    const double delta = PyFloat_AsDouble(amount.ptr());
    if (!(delta == -1.0 && PyErr_Occurred()) && std::isfinite(delta) && delta >= 0) {
      return design::Tolerance{input, delta, false};
    }
    PyErr_Clear();
  }
  throw py::value_error("the tolerance of '" + inputName +
                        "' must be a text such as '±0.0005' or '±10%', or a finite number of at "
                        "least 0, not " +
                        std::string(py::repr(amount)));
}

py::dict Tolerance(const py::dict& given, const py::kwargs& base) {
  std::vector<design::Tolerance> tolerances;
  for (const auto [name, amount] : given) {
    tolerances.push_back(ReadTolerance(name, amount));
  }
  if (tolerances.size() > design::kMaxTolerances) {
    throw py::value_error("a tolerance band takes at most " +
                          std::to_string(design::kMaxTolerances) + " tolerances, not " +
                          std::to_string(tolerances.size()));
  }
  const cases::CaseValues values = DesignBase(base);
  design::ToleranceBand band;
  {
    py::gil_scoped_release release;
    band = design::EvaluateToleranceBand(values, tolerances, design::Search::Robust);
  }
  const bool centreSolved = band.centre.Solved();
  const bool anySolved = band.unsolvedCorners < band.corners || centreSolved;
  py::dict report;
  report["corners"] = band.corners;
  report["unsolved_corners"] = band.unsolvedCorners;
  report["uniformity"] = FigureOrNone(centreSolved, band.centre.uniformity);
  report["entrance_pressure_Pa"] = FigureOrNone(centreSolved, band.centre.entrancePressure);
  report["worst_uniformity"] = FigureOrNone(anySolved, band.worstUniformity);
  report["best_uniformity"] = FigureOrNone(anySolved, band.bestUniformity);
  report["lowest_entrance_pressure_Pa"] = FigureOrNone(anySolved, band.lowestEntrancePressure);
  report["highest_entrance_pressure_Pa"] = FigureOrNone(anySolved, band.highestEntrancePressure);
  report["worst_uniformity_inputs"] = InputsDict(band.worstUniformityCase);
  return report;
}

}  // namespace

void RegisterTolerance(py::module_& module) {
  module.def(
      "tolerance", &Tolerance, py::arg("tolerances"),
      R"doc(The spread of a design's figures when its inputs vary within manufacturing or operating
tolerances, as fluxeta-batch --tolerance gives it: the worst and best uniformity and
entrance pressure over the centre and the 2^k corners of the tolerance box, each solved
with the robust search (the GIL released).

tolerances is a dict {name: tolerance} of at most 12 inputs; a tolerance is a text
"±DELTA" (or "+-DELTA", or a plain number) in the input's unit, "±PCT%" of the input's
value, or a number, ± that much in the input's unit. The design's inputs are further
keyword arguments by short name, as solve() takes them; the rest take the default case.

Returns a dict: corners and unsolved_corners (int), uniformity and entrance_pressure_Pa of
the centre, worst_uniformity, best_uniformity, lowest_entrance_pressure_Pa and
highest_entrance_pressure_Pa over every solved point (None where no point was solved),
and worst_uniformity_inputs, the fifteen inputs {name: value} of the point of lowest
uniformity. A tolerance that cannot be read, or more than 12, raises ValueError.

    >>> band = fluxeta.tolerance({"H": "±0.0005", "Qin": "±10%"})
    >>> band["worst_uniformity"], band["highest_entrance_pressure_Pa"]
)doc");
}

}  // namespace fluxeta::python
