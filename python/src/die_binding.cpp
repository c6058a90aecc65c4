#include "die_binding.h"

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>
#include <nlohmann/json.hpp>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/die_document.h"
#include "fluxeta/case/die_families.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/liquid_models.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/solver/die_model.h"
#include "fluxeta/solver/die_solve.h"
#include "json_value.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

constexpr const char* kDocumentKind = "die document";

// A solved die as Python sees it: plain values, so that it pickles whole and needs neither
// the document's files nor a solve where it is unpickled.
struct DieResult {
  std::string document;  // the document as read, every default written out (JSON text)
  std::string status;    // the outcome code
  std::string message;
  int sweeps = 0;
  int stations = 0;
  double entrancePressure = 0, uniformity = 0, DelQRms = 0, flowRatio = 0, farEndFlow = 0;
  std::array<std::vector<double>, solver::kDieStationColumns.size()> columns;
};

struct DieFigure {
  const char* name;
  double DieResult::*value;
  const char* doc;
};

constexpr std::array<DieFigure, 5> kDieFigures = {{
    {"entrance_pressure_Pa", &DieResult::entrancePressure,
     "The manifold pressure at the feed (Pa); NaN unless converged."},
    {"uniformity", &DieResult::uniformity,
     "1 - DelQRms / mean DelQ over the solved part (-); NaN unless converged."},
    {"DelQRms", &DieResult::DelQRms,
     "The RMS deviation of the stations' slot flow DelQ from its mean (cm3/s); NaN unless "
     "converged."},
    {"flow_ratio", &DieResult::flowRatio,
     "The smallest station slot flow over the largest (-); NaN unless converged."},
    {"far_end_flow", &DieResult::farEndFlow,
     "The manifold flow left at the closed end (cm3/s); NaN unless converged."},
}};

DieResult ResultOf(const cases::DieDocument& document, const solver::DieSolution& solution) {
  DieResult result;
  result.document = cases::DieDocumentJson(document).dump();
  result.status = std::string(base::OutcomeCode(solution.status));
  result.message = solver::DescribeDieOutcome(solution);
  result.sweeps = solution.sweeps;
  result.stations = solution.stations;
  result.entrancePressure = solution.entrancePressure;
  result.uniformity = solution.uniformity;
  result.DelQRms = solution.DelQRms;
  result.flowRatio = solution.flowRatio;
  result.farEndFlow = solution.farEndFlow;
  for (std::size_t c = 0; c < solver::kDieStationColumns.size(); ++c) {
    result.columns[c] = solution.table.*solver::kDieStationColumns[c].values;
  }
  return result;
}

// The JSON of a dict, or of the file a str or os.PathLike names, and the folder its profile
// is read relative to.
struct GivenDocument {
  std::optional<nlohmann::json> json;  // of a dict
  std::filesystem::path file;          // otherwise
  std::filesystem::path directory;
};

GivenDocument DocumentOf(const py::object& doc) {
  GivenDocument given;
  if (py::isinstance<py::dict>(doc)) {
    given.json = JsonOf(doc, kDocumentKind);
    given.directory = std::filesystem::current_path();
    return given;
  }
  const py::object os = py::module_::import("os");
  if (!py::isinstance<py::str>(doc) && !py::isinstance(doc, os.attr("PathLike"))) {
    throw py::type_error("doc: a die document is a dict or the path of its JSON file, not " +
                         std::string(py::repr(doc)));
  }
  given.file = std::filesystem::path(os.attr("fspath")(doc).cast<std::string>());
  given.directory = given.file.parent_path();
  return given;
}

std::unique_ptr<DieResult> SolveDie(const py::object& doc, std::optional<double> stations) {
  GivenDocument given = DocumentOf(doc);
  auto result = std::make_unique<DieResult>();
  std::optional<std::string> refusal;
  {
    py::gil_scoped_release release;
    try {
      const nlohmann::json json =
          given.json ? std::move(*given.json) : cases::ReadDieDocumentFile(given.file);
      cases::DieDocument document = cases::ReadDieDocument(json, given.directory);
      if (stations) {
        cases::CheckDieStations(*stations, document.feed(), "stations");
        document.stations = static_cast<int>(*stations);
      }
      const solver::DieModel model(document);
      *result = ResultOf(document, solver::SolveDie(model, document.stations));
    } catch (const cases::DocumentError& error) {
      refusal = error.what();
    }
  }
  if (refusal) {
    throw py::value_error(*refusal);
  }
  return result;
}

// A column of the stations, a read-only view that keeps the result alive.
py::array ColumnView(py::handle owner, const std::vector<double>& values) {
  py::array_t<double> view({static_cast<py::ssize_t>(values.size())}, {sizeof(double)},
                           values.data(), owner);
  py::detail::array_proxy(view.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
  return view;
}

py::object Document(const DieResult& result) {
  return py::module_::import("json").attr("loads")(result.document);
}

py::dict TableOf(py::object self) {
  const DieResult& result = self.cast<const DieResult&>();
  py::dict table;
  for (std::size_t c = 0; c < solver::kDieStationColumns.size(); ++c) {
    table[py::str(std::string(solver::kDieStationColumns[c].name))] =
        ColumnView(self, result.columns[c]);
  }
  return table;
}

py::dict Units() {
  py::dict units;
  for (const solver::DieStationColumn& column : solver::kDieStationColumns) {
    units[py::str(std::string(column.name))] = std::string(column.unit);
  }
  return units;
}

py::tuple PickledResult(const DieResult& result) {
  py::tuple figures(kDieFigures.size());
  for (std::size_t k = 0; k < kDieFigures.size(); ++k) {
    figures[k] = result.*kDieFigures[k].value;
  }
  py::list columns;
  for (const std::vector<double>& column : result.columns) {
    columns.append(py::cast(column));
  }
  return py::make_tuple(result.document, result.status, result.message, result.sweeps,
                        result.stations, figures, columns);
}

std::unique_ptr<DieResult> UnpickledResult(const py::tuple& state) {
  constexpr std::size_t kStateSize = 7;
  if (state.size() != kStateSize) {
    throw std::runtime_error("not the state of a fluxeta.DieResult");
  }
  auto result = std::make_unique<DieResult>();
  result->document = state[0].cast<std::string>();
  result->status = state[1].cast<std::string>();
  result->message = state[2].cast<std::string>();
  result->sweeps = state[3].cast<int>();
  result->stations = state[4].cast<int>();
  const auto figures = state[5].cast<py::tuple>();
  const auto columns = state[6].cast<py::list>();
  if (figures.size() != kDieFigures.size() || columns.size() != result->columns.size()) {
    throw std::runtime_error("not the state of a fluxeta.DieResult");
  }
  for (std::size_t k = 0; k < kDieFigures.size(); ++k) {
    (*result).*kDieFigures[k].value = figures[k].cast<double>();
  }
  for (std::size_t c = 0; c < result->columns.size(); ++c) {
    result->columns[c] = columns[c].cast<std::vector<double>>();
  }
  return result;
}

std::string Repr(const DieResult& result) {
  std::string text =
      "<fluxeta.DieResult " + result.status + " stations=" + std::to_string(result.stations);
  if (result.status == base::OutcomeCode(base::Outcome::Converged)) {
    text += " entrance_pressure_Pa=" + cases::ShortestText(result.entrancePressure) +
            " uniformity=" + cases::ShortestText(result.uniformity);
  }
  return text + ">";
}

py::list KeyRows(std::span<const cases::DieKeySpec> keys) {
  py::list rows;
  for (const cases::DieKeySpec& key : keys) {
    py::dict row;
    row["key"] = std::string(key.key);
    row["unit"] = std::string(key.unit);
    row["description"] = std::string(key.description);
    row["positive"] = key.domain == cases::KeyDomain::Positive;
    rows.append(row);
  }
  return rows;
}

std::string DomainName(cases::ParameterDomain domain) {
  switch (domain) {
    case cases::ParameterDomain::Positive:
      return "positive";
    case cases::ParameterDomain::NonNegative:
      return "non_negative";
    case cases::ParameterDomain::PositiveAtMostOne:
      return "positive_at_most_one";
    case cases::ParameterDomain::AboveAbsoluteZero:
      return "above_absolute_zero";
  }
  return "";
}

py::list ParameterRows(std::span<const cases::LiquidParameterSpec> parameters) {
  py::list rows;
  for (const cases::LiquidParameterSpec& parameter : parameters) {
    py::dict row;
    row["key"] = std::string(parameter.key);
    row["unit"] = std::string(parameter.unit);
    row["domain"] = DomainName(parameter.domain);
    rows.append(row);
  }
  return rows;
}

py::dict DieDocumentTables() {
  py::dict tables;
  py::list families;
  for (const cases::DieFamilySpec& row : cases::kDieFamilies) {
    py::dict family;
    family["family"] = std::string(row.name);
    family["description"] = std::string(row.description);
    family["centre_feed"] = row.centreFeed;
    family["keys"] = KeyRows(row.numbers);
    families.append(family);
  }
  tables["families"] = families;
  py::list shapes;
  for (const cases::ManifoldShapeSpec& row : cases::kManifoldShapes) {
    py::dict shape;
    shape["shape"] = std::string(row.name);
    shape["sizes"] = KeyRows(row.sizes);
    shapes.append(shape);
  }
  tables["manifold_shapes"] = shapes;
  tables["uniform_coat_hanger_keys"] = KeyRows(cases::kUniformCoatHangerKeys);
  py::list process;
  for (const cases::DieProcessKeySpec& key : cases::kDieProcessKeys) {
    py::dict row;
    row["key"] = std::string(key.key);
    row["unit"] = std::string(key.unit);
    row["description"] = std::string(key.description);
    row["positive"] = key.domain == cases::KeyDomain::Positive;
    row["required"] = key.required;
    row["default"] =
        key.required ? py::object(py::none()) : py::object(py::float_(key.defaultValue));
    process.append(row);
  }
  tables["process_keys"] = process;
  py::dict models;
  for (const cases::LiquidModelSpec& row : cases::kLiquidModels) {
    models[py::str(std::string(row.name))] = ParameterRows(row.parameters);
  }
  tables["liquid_models"] = models;
  py::dict laws;
  for (const cases::TemperatureLawSpec& row : cases::kTemperatureLaws) {
    laws[py::str(std::string(row.name))] = ParameterRows(row.parameters);
  }
  tables["temperature_laws"] = laws;
  tables["stations"] =
      py::make_tuple(cases::kLeastDieStations, cases::kMostDieStations, cases::kDefaultDieStations);
  return tables;
}

}  // namespace

void RegisterDie(py::module_& module) {
  py::class_<DieResult> result(
      module, "DieResult",
      R"doc(The solution of a die document, as fluxeta.solve_die() returns it.

status is "converged", "no_physical_solution" (the pressure runs out while liquid remains,
or the manifold runs empty before the closed end; message says where) or "not_converged"
(the root finder's budget ran out). The figures are NaN unless converged. The station
columns X P Q DelQ Q_DIFF APP_SR_C SR_S APP_VIS_C VIS_S A Dh H L RTime TAU_S are read-only
float64 arrays with one value per station across the whole width, as fluxeta-batch --die
--table writes them (NaN where the table is empty); units gives their units.
)doc");
  result.attr("__module__") = "fluxeta";
  result
      .def_property_readonly(
          "status", [](const DieResult& r) { return r.status; },
          "The verdict: \"converged\", \"no_physical_solution\" or \"not_converged\".")
      .def_property_readonly(
          "converged",
          [](const DieResult& r) {
            return r.status == base::OutcomeCode(base::Outcome::Converged);
          },
          "True when status is \"converged\".")
      .def_property_readonly(
          "message", [](const DieResult& r) { return r.message; },
          "The verdict with, when not converged, where and why the integration left the "
          "physical branch.")
      .def_property_readonly(
          "sweeps", [](const DieResult& r) { return r.sweeps; },
          "The integrations across the width the search made.")
      .def_property_readonly(
          "stations", [](const DieResult& r) { return r.stations; },
          "The stations across the whole width (of both halves for a centre feed).")
      .def_property_readonly("document", &Document,
                             "The die document as it was read, every default written out (a "
                             "new dict at each access).")
      .def_property_readonly_static(
          "units", [](const py::object&) { return Units(); },
          "The units of the station columns, {name: unit}.")
      .def("table", &TableOf,
           "The station columns in the order the outputs list them, {name: array}, for "
           "instance for pandas.DataFrame(result.table()).")
      .def("__repr__", &Repr)
      .def(py::pickle(&PickledResult, &UnpickledResult));
  for (const DieFigure& figure : kDieFigures) {
    const double DieResult::*value = figure.value;
    result.def_property_readonly(
        figure.name, [value](const DieResult& r) { return r.*value; }, figure.doc);
  }
  for (std::size_t c = 0; c < solver::kDieStationColumns.size(); ++c) {
    const solver::DieStationColumn& column = solver::kDieStationColumns[c];
    result.def_property_readonly(
        std::string(column.name).c_str(),
        [c](py::object self) { return ColumnView(self, self.cast<const DieResult&>().columns[c]); },
        ("Station column " + std::string(column.name) + " (" + std::string(column.unit) +
         "): a read-only float64 array, one value per station.")
            .c_str());
  }

  module.def(
      "solve_die", &SolveDie, py::arg("doc"), py::arg("stations") = py::none(),
      R"doc(Solves a die document with the general die model, as fluxeta-batch --die does, and
returns its fluxeta.DieResult.

doc is a dict of the document's structure, {"geometry": {"family": "t-die", ...},
"fluid": {...}, "flow_rate": ..., "density": ...}, or the path (str or os.PathLike) of its
JSON file. A profile family's "profile" CSV is read relative to the file, or for a dict
relative to the current directory. stations, when given, replaces the document's.

A document that cannot be read or used raises ValueError naming the key by its path
("geometry.manifold.radius: must be a positive number (cm), not 0"), a profile's line and
column, or the file and the system's reason; a floating-point fault raises
fluxeta.FloatingPointFault. The solve runs with the GIL released.

    >>> result = fluxeta.solve_die({"geometry": {"family": "t-die", "width": 50,
    ...     "manifold": {"shape": "circle", "radius": 1.0}, "land_length": 5.0, "gap": 0.05},
    ...     "fluid": {"model": "newtonian", "viscosity": 1.0},
    ...     "flow_rate": 10.0, "density": 0.0}, stations=400)
    >>> result.entrance_pressure_Pa, result.uniformity, result.DelQ
)doc");
  module.def(
      "die_document_tables", &DieDocumentTables,
      R"doc(The names a die document may use, from the tables the reader checks against: families
(family, description, centre_feed, keys under "geometry"), manifold_shapes (shape,
sizes), uniform_coat_hanger_keys, process_keys (the top level's numbers with required and
default), liquid_models and temperature_laws ({name: [{key, unit, domain}]}, the domain
"positive", "non_negative", "positive_at_most_one" or "above_absolute_zero") and stations
(least, most, default).
)doc");
}

}  // namespace fluxeta::python
