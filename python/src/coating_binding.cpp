#include "coating_binding.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>
#include <nlohmann/json.hpp>

#include "case_inputs.h"
#include "fluxeta/base/outcome.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/coating/case_coating_window.h"
#include "fluxeta/coating/coating_columns.h"
#include "fluxeta/coating/die_coating_window.h"
#include "fluxeta/coating/operating_point.h"
#include "fluxeta/solver/die_model.h"
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

constexpr std::string_view kNotSolved = "); the coating window needs a converged die";

// The window of the case of `inputs`, solved with `search`.
py::dict CaseCoatingWindow(const coating::OperatingPoint& operatingPoint, const std::string& search,
                           const py::kwargs& inputs) {
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
                                    std::string(kNotSolved));
  }
  return WindowDict(*result.window);
}

// The die document of `die`: a dict of it, its profile file relative to the current
// directory, or the path of its file.
cases::DieDocument DieDocumentOf(const py::object& die) {
  try {
    if (py::isinstance<py::dict>(die)) {
      return cases::ReadDieDocument(JsonOf(die, "die document"), {});
    }
    const auto path = py::cast<std::filesystem::path>(die);
    return cases::ReadDieDocument(cases::ReadDieDocumentFile(path), path.parent_path());
  } catch (const py::cast_error&) {
    throw py::type_error("die must be a dict of a die document or the path of its file, not " +
                         std::string(py::str(py::type::of(die).attr("__name__"))));
  } catch (const cases::DocumentError& error) {
    throw py::value_error("die document: " + std::string(error.what()));
  }
}

// The window of a die document's die, solved by the general die model.
py::dict DieCoatingWindow(const coating::OperatingPoint& operatingPoint, const py::object& die) {
  const cases::DieDocument document = DieDocumentOf(die);
  std::optional<solver::DieModel> model;
  std::optional<coating::DieCoatingWindow> result;
  std::optional<std::string> dieRefusal;
  std::optional<std::string> pointRefusal;
  {
    py::gil_scoped_release release;
    try {
      model.emplace(document);
    } catch (const cases::DocumentError& error) {
      dieRefusal = error.what();
    }
    try {
      if (model) {
        result = coating::EvaluateDieCoatingWindow(*model, document.stations, operatingPoint);
      }
    } catch (const cases::DocumentError& error) {
      pointRefusal = error.what();
    }
  }
  if (dieRefusal) {
    throw py::value_error("die document: " + *dieRefusal);
  }
  if (pointRefusal) {
    throw py::value_error("operating point: " + *pointRefusal);
  }
  if (!result->window) {
    RaiseOutcome(result->solution.status, "the die is not solved (" +
                                              solver::DescribeDieOutcome(result->solution) +
                                              std::string(kNotSolved));
  }
  return WindowDict(*result->window);
}

py::dict CoatingWindow(const py::dict& point, const std::optional<std::string>& search,
                       const py::object& die, const py::kwargs& inputs) {
  const coating::OperatingPoint operatingPoint = OperatingPointOf(point);
  if (die.is_none()) {
    return CaseCoatingWindow(operatingPoint, search.value_or("window"), inputs);
  }
  if (search || !inputs.empty()) {
    throw py::type_error(
        "coating_window(): a die document is solved by itself; give die= without the case's "
        "inputs or search");
  }
  return DieCoatingWindow(operatingPoint, die);
}

}  // namespace

void RegisterCoatingWindow(py::module_& module) {
  module.def(
      "coating_window", &CoatingWindow, py::arg("point"), py::kw_only(),
      py::arg("search") = py::none(), py::arg("die") = py::none(),
      R"doc(Whether the coating bead holds across the whole web, as fluxeta-batch --coating-window
judges it: the case is solved (the GIL released) and the film that each station's slot
flow lays on the web, t = q/V, is set against the viscocapillary bead's low-flow limit and
the vacuum it needs and bears.

point is the operating point as its document writes it, in cm, cm/s, N/m and Pa:
{"web_speed": 5, "coating_gap": 0.17, "upstream_lip": 0.2, "downstream_lip": 0.2,
"surface_tension": 0.03, "vacuum": [0, 300]}. The case's inputs are keyword arguments by
short name, as solve() takes them; search names the entrance-pressure search.

die, instead, is a die document (a dict as its JSON file reads, a profile file named in it
relative to the current directory; or the str or os.PathLike path of its file), solved by
the general die model on its stations as fluxeta-batch --die DOC --coating-window does;
the bead's viscosity is then the document's liquid at the bead's shear rate V/G. It takes
no case inputs and no search (TypeError).

Returns a dict: verdict ("inside", "outside" or "no_common_vacuum"), operating_point and
window ({name: value}, None where the bead holds no film), outside (a list of dicts, one
per run of neighbouring stations outside on the same count: verdict, first_station,
last_station, worst_margin and its unit), units ({name: unit} of the figures and columns)
and stations, a dict of NumPy arrays of the die's stations (the case's 50): station, x,
flow_per_width, wet_thickness, low_flow_margin, feed_pressure, least_vacuum, most_vacuum,
vacuum_too_low_margin, vacuum_too_high_margin (NaN where nothing flows) and verdict
("inside", "low_flow", "vacuum_too_low" or "vacuum_too_high").

An operating point that is not a dict raises TypeError; a missing or unknown key, a value
that is not a finite number, a speed, gap, lip or surface tension that is not positive,
a vacuum range that is not two numbers lowest first, or a gap no wider than some station's
film raises ValueError naming the key; so does a die document that cannot be read or
used ("die document: geometry.gap: …"). A die that is not solved raises a
fluxeta.FluxetaError whose code is its outcome.

    >>> point = {"web_speed": 5, "coating_gap": 0.17, "upstream_lip": 0.2,
    ...     "downstream_lip": 0.2, "surface_tension": 0.03, "vacuum": [0, 300]}
    >>> window = fluxeta.coating_window(point)
    >>> window["verdict"], window["outside"]
    >>> fluxeta.coating_window(point, die="t_die.json")["verdict"]
)doc");
}

}  // namespace fluxeta::python
