#include "coating_binding.h"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <nlohmann/json.hpp>

#include "case_inputs.h"
#include "fluxeta/base/outcome.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/coating/case_coating_window.h"
#include "fluxeta/coating/coating_columns.h"
#include "fluxeta/coating/operating_point.h"
#include "json_value.h"
#include "python_errors.h"
#include "search_method.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

constexpr double kNotAFigure = std::numeric_limits<double>::quiet_NaN();

// The operating point as its document reads it, so that a script and a file are checked
// alike.
coating::OperatingPoint OperatingPointOf(const py::dict& point) {
  try {
    return coating::ReadOperatingPoint(JsonOf(point, "operating point"));
  } catch (const cases::DocumentError& error) {
    throw py::value_error("operating point: " + std::string(error.what()));
  }
}

py::object Figure(const std::optional<double>& value) {
  return value ? py::object(py::float_(*value)) : py::object(py::none());
}

// A column of the stations, row k being value(stations[k]).
template <typename T, typename Value>
py::array_t<T> StationColumn(const std::vector<coating::StationWindow>& stations, Value value) {
  py::array_t<T> column(static_cast<py::ssize_t>(stations.size()));
  T* out = column.mutable_data();
  for (std::size_t k = 0; k < stations.size(); ++k) {
    out[k] = value(stations[k]);
  }
  return column;
}

py::array VerdictColumn(const std::vector<coating::StationWindow>& stations) {
  py::array column(py::dtype("O"), {static_cast<py::ssize_t>(stations.size())}, {});
  auto* out = static_cast<PyObject**>(column.mutable_data());
  for (std::size_t k = 0; k < stations.size(); ++k) {
    Py_XDECREF(out[k]);
    out[k] = py::str(std::string(coating::VerdictName(stations[k].verdict))).release().ptr();
  }
  return column;
}

py::dict StationColumns(const coating::CoatingWindow& window) {
  const std::vector<coating::StationWindow>& stations = window.stations;
  py::dict columns;
  columns["station"] = StationColumn<std::int64_t>(
      stations, [](const coating::StationWindow& station) { return station.station; });
  for (const coating::StationColumn& column : coating::kStationColumns) {
    columns[py::str(std::string(column.name))] =
        StationColumn<double>(stations, [&column](const coating::StationWindow& station) {
          return column.value(station).value_or(kNotAFigure);
        });
  }
  columns["verdict"] = VerdictColumn(stations);
  return columns;
}

py::dict WindowDict(const coating::CoatingWindow& window) {
  py::dict result;
  result["verdict"] = std::string(coating::WebVerdictName(window.verdict));
  py::dict point;
  for (const coating::WindowFigure& figure : coating::kOperatingPointFigures) {
    point[py::str(std::string(figure.name))] = Figure(figure.value(window));
  }
  result["operating_point"] = point;
  py::dict figures;
  py::dict units;
  for (const coating::WindowFigure& figure : coating::kWindowFigures) {
    figures[py::str(std::string(figure.name))] = Figure(figure.value(window));
    units[py::str(std::string(figure.name))] = std::string(figure.unit);
  }
  result["window"] = figures;
  py::list outside;
  for (const coating::OutsideRun& run : window.outside) {
    py::dict entry;
    entry["verdict"] = std::string(coating::VerdictName(run.verdict));
    entry["first_station"] = run.firstStation;
    entry["last_station"] = run.lastStation;
    entry["worst_margin"] = run.worstMargin;
    entry["unit"] = std::string(coating::MarginUnit(run.verdict));
    outside.append(entry);
  }
  result["outside"] = outside;
  for (const coating::StationColumn& column : coating::kStationColumns) {
    units[py::str(std::string(column.name))] = std::string(column.unit);
  }
  result["units"] = units;
  result["stations"] = StationColumns(window);
  return result;
}

py::dict CoatingWindow(const py::dict& point, const std::string& search, const py::kwargs& inputs) {
  const coating::OperatingPoint operatingPoint = OperatingPointOf(point);
  const solver::Search method = ParseSearchMethod(search);
  const GivenInputs given = ReadGivenInputs(inputs, UnknownName::AsKeyword);
  cases::CaseParameters parameters;
  coating::CaseCoatingWindow result;
  std::optional<std::string> refusal;
  {
    py::gil_scoped_release release;
    cases::StoreInputs(parameters,
                       [&given](std::size_t input) { return StoredInput(given, input); });
    try {
      result = coating::EvaluateCaseCoatingWindow(parameters, method, operatingPoint);
    } catch (const cases::DocumentError& error) {
      refusal = error.what();
    }
  }
  if (refusal) {
    throw py::value_error("operating point: " + *refusal);
  }
  if (!result.window) {
    RaiseOutcome(result.status, "the die is not solved (" +
                                    std::string(base::OutcomeCode(result.status)) +
                                    "); the coating window needs a converged die");
  }
  return WindowDict(*result.window);
}

}  // namespace

void RegisterCoatingWindow(py::module_& module) {
  module.def(
      "coating_window", &CoatingWindow, py::arg("point"), py::kw_only(),
      py::arg("search") = "window",
      R"doc(Whether the coating bead holds across the whole web, as fluxeta-batch --coating-window
judges it: the case is solved (the GIL released) and the film that each station's slot
flow lays on the web, t = q/V, is set against the viscocapillary bead's low-flow limit and
the vacuum it needs and bears.

point is the operating point as its document writes it, in cm, cm/s, N/m and Pa:
{"web_speed": 5, "coating_gap": 0.17, "upstream_lip": 0.2, "downstream_lip": 0.2,
"surface_tension": 0.03, "vacuum": [0, 300]}. The case's inputs are keyword arguments by
short name, as solve() takes them; search names the entrance-pressure search.

Returns a dict: verdict ("inside", "outside" or "no_common_vacuum"), operating_point and
window ({name: value}, None where the bead holds no film), outside (a list of dicts, one
per run of neighbouring stations outside on the same count: verdict, first_station,
last_station, worst_margin and its unit), units ({name: unit} of the figures and columns)
and stations, a dict of NumPy arrays of the 50 stations: station, x, flow_per_width,
wet_thickness, low_flow_margin, feed_pressure, least_vacuum, most_vacuum,
vacuum_too_low_margin, vacuum_too_high_margin (NaN where nothing flows) and verdict
("inside", "low_flow", "vacuum_too_low" or "vacuum_too_high").

An operating point that is not a dict raises TypeError; a missing or unknown key, a value
that is not a finite number, a speed, gap, lip or surface tension that is not positive,
a vacuum range that is not two numbers lowest first, or a gap no wider than some station's
film raises ValueError naming the key. A die that is not solved raises a
fluxeta.FluxetaError whose code is its outcome.

    >>> window = fluxeta.coating_window({"web_speed": 5, "coating_gap": 0.17,
    ...     "upstream_lip": 0.2, "downstream_lip": 0.2, "surface_tension": 0.03,
    ...     "vacuum": [0, 300]})
    >>> window["verdict"], window["outside"]
)doc");
}

}  // namespace fluxeta::python
