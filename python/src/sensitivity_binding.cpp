#include "sensitivity_binding.h"

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "design_case.h"
#include "fluxeta/base/outcome.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/sensitivity.h"
#include "python_errors.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

constexpr double kNotAFigure = std::numeric_limits<double>::quiet_NaN();

// A step of the value's size or more would solve the design on the far side of zero.
double RelativeStep(std::optional<double> given) {
  if (!given) {
    return design::kSensitivityRelativeStep;
  }
  if (!(*given > 0 && *given < 1)) {
    throw py::value_error("relative_step must be above 0 and below 1, not " +
                          std::to_string(*given));
  }
  return *given;
}

py::dict SensitivityColumns(const std::vector<design::Sensitivity>& rows) {
  const std::size_t count = rows.size();
  std::vector<std::string_view> names;
  std::vector<std::string_view> units;
  for (const design::Sensitivity& row : rows) {
    names.push_back(cases::kInputs[row.input].name);
    units.push_back(cases::kInputs[row.input].unit);
  }
  const auto number = [&rows](double design::Sensitivity::*value) {
    return NumberColumn<double>(rows.size(),
                                [&rows, value](std::size_t k) { return rows[k].*value; });
  };
  const auto figure = [&rows](double design::Sensitivity::*value) {
    return NumberColumn<double>(rows.size(), [&rows, value](std::size_t k) {
      return rows[k].solved ? rows[k].*value : kNotAFigure;
    });
  };
  py::dict columns;
  columns["name"] = TextColumn(names);
  columns["unit"] = TextColumn(units);
  columns["value"] = number(&design::Sensitivity::value);
  columns["step"] = number(&design::Sensitivity::step);
  columns["solved"] = NumberColumn<bool>(count, [&rows](std::size_t k) { return rows[k].solved; });
  columns["uniformity_per_unit"] = figure(&design::Sensitivity::uniformityPerUnit);
  columns["uniformity_per_percent"] = figure(&design::Sensitivity::uniformityPerPercent);
  columns["entrance_pressure_Pa_per_unit"] = figure(&design::Sensitivity::pressurePerUnit);
  columns["entrance_pressure_Pa_per_percent"] = figure(&design::Sensitivity::pressurePerPercent);
  return columns;
}

py::dict Sensitivity(bool allInputs, std::optional<double> relativeStep, const py::kwargs& base) {
  const double step = RelativeStep(relativeStep);
  const cases::CaseValues values = DesignBase(base);
  design::DesignFigures centre;
  std::vector<design::Sensitivity> rows;
  {
    py::gil_scoped_release release;
    centre = design::EvaluateDesign(values, design::Search::Robust);
    if (centre.Solved()) {
      rows = design::Sensitivities(values, design::SensitivityInputs(allInputs),
                                   design::Search::Robust, step);
    }
  }
  if (!centre.Solved()) {
    RaiseOutcome(centre.status, "the design is not solved (" +
                                    std::string(base::OutcomeCode(centre.status)) +
                                    "); sensitivities need a converged design");
  }
  return SensitivityColumns(rows);
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
("not_converged", "regime_gap", ...); relative_step outside (0, 1) raises ValueError.

    >>> rows = fluxeta.sensitivity(gamma=0.2)
    >>> dict(zip(rows["name"], rows["uniformity_per_percent"]))
)doc");
}

}  // namespace fluxeta::python
