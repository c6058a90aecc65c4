#include "liquid_binding.h"

#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "fluxeta/base/fault_flags.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/liquid_document.h"
#include "fluxeta/case/liquid_models.h"
#include "fluxeta/liquids/flow_curve_fit.h"
#include "json_value.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

constexpr const char* kLiquidKind = "liquid";

py::list ParameterRows(std::span<const cases::LiquidParameterSpec> row) {
  py::list parameters;
  for (const cases::LiquidParameterSpec& parameter : row) {
    py::dict entry;
    entry["key"] = std::string(parameter.key);
    entry["symbol"] = std::string(parameter.symbol);
    entry["unit"] = std::string(parameter.unit);
    entry["description"] = std::string(parameter.description);
    entry["plausible_range"] = py::make_tuple(parameter.plausibleLow, parameter.plausibleHigh);
    parameters.append(entry);
  }
  return parameters;
}

py::list LiquidModels() {
  py::list models;
  for (const cases::LiquidModelSpec& row : cases::kLiquidModels) {
    py::dict entry;
    entry["model"] = std::string(row.name);
    entry["formula"] = std::string(row.formula);
    entry["flows"] = std::string(row.flows);
    entry["parameters"] = ParameterRows(row.parameters);
    models.append(entry);
  }
  return models;
}

cases::LiquidDocument LiquidOf(const py::dict& liquid) {
  try {
    return cases::ReadLiquidDocument(JsonOf(liquid, kLiquidKind), "liquid");
  } catch (const cases::DocumentError& error) {
    throw py::value_error(error.what());
  }
}

py::array_t<double> Viscosity(const py::dict& liquid, const py::array_t<double>& shearRate) {
  const cases::LiquidDocument document = LiquidOf(liquid);
  const auto rates = shearRate.unchecked();
  py::array_t<double> viscosity(shearRate.request().shape);
  double* out = viscosity.mutable_data();
  const double* in = shearRate.data();
  base::ClearFaultFlags();
  for (py::ssize_t k = 0; k < rates.size(); ++k) {
    if (!(in[k] > 0)) {
      throw py::value_error("shear_rate: must be positive (1/s), not " + std::to_string(in[k]));
    }
    out[k] = liquids::DocumentViscosity(document, in[k]);
  }
  base::RaiseOnFaultFlags();
  return viscosity;
}

py::object FitLiquid(const std::string& model, const std::vector<double>& shearRate,
                     const std::vector<double>& viscosity,
                     const std::optional<std::vector<double>>& temperature) {
  const cases::LiquidModelSpec* row = cases::FindLiquidModel(model);
  if (row == nullptr) {
    throw py::value_error("model: unknown liquid model '" + model + "'");
  }
  if (viscosity.size() != shearRate.size() ||
      (temperature && temperature->size() != shearRate.size())) {
    throw py::value_error("shear_rate, viscosity and temperature must be of one length");
  }
  // The points checked as the CSV reader checks a file's lines, the line being the index + 1.
  std::string csv;
  for (std::size_t k = 0; k < shearRate.size(); ++k) {
    csv += py::repr(py::float_(shearRate[k])).cast<std::string>() + "," +
           py::repr(py::float_(viscosity[k])).cast<std::string>();
    if (temperature) {
      csv += "," + py::repr(py::float_((*temperature)[k])).cast<std::string>();
    }
    csv += "\n";
  }
  try {
    const std::vector<liquids::FlowCurvePoint> points = liquids::ReadFlowCurveCsv(csv, "point");
    const liquids::FlowCurveFit fit = liquids::FitFlowCurve(row->model, points, "points");
    return py::module_::import("json").attr("loads")(
        liquids::FlowCurveFitJson(fit, points.size()).dump());
  } catch (const cases::DocumentError& error) {
    throw py::value_error(error.what());
  }
}

}  // namespace

void RegisterLiquids(py::module_& module) {
  module.def(
      "liquids", &LiquidModels,
      R"doc(The liquid models, a list of dicts with the keys model (the name a liquid's "model" takes),
formula, flows (how the exact slot and pipe flows are found) and parameters (key, symbol,
unit, description, plausible_range).
)doc");
  module.def(
      "viscosity", &Viscosity, py::arg("liquid"), py::arg("shear_rate"),
      R"doc(η (Pa.s) of a liquid at shear rates (1/s, a number or an array; positive), the liquid a
dict as a die document's "fluid" gives it: {"model": "carreau", "eta0": 20, "eta_inf": 0,
"lambda": 0.5, "n": 0.4}, at its die temperature when it has a "temperature" law.
Raises ValueError naming the key of a bad liquid.
)doc");
  module.def(
      "fit_liquid", &FitLiquid, py::arg("model"), py::arg("shear_rate"), py::arg("viscosity"),
      py::arg("temperature") = py::none(),
      R"doc(Fits a liquid model to a measured flow curve by least squares on ln η, as fluxeta-batch
--fit-liquid does: shear rates (1/s), viscosities (Pa.s) and optionally temperatures (°C).
Returns {"model", "parameters", "units", "rms_relative_residual", "points"} (and
"temperature", an Arrhenius law, when the temperatures differ); {"model": fit["model"],
**fit["parameters"]} is a liquid. Raises ValueError for points it cannot fit, naming the
point (1 for the first).
)doc");
}

}  // namespace fluxeta::python
