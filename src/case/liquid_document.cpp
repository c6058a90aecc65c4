#include "fluxeta/case/liquid_document.h"

#include <cmath>
#include <stdexcept>

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"

namespace fluxeta::cases {

namespace {

double ParameterOfRow(std::span<const LiquidParameterSpec> row, const std::vector<double>& values,
                      std::string_view key) {
  for (std::size_t k = 0; k < row.size(); ++k) {
    if (row[k].key == key) {
      return values.at(k);
    }
  }
  throw std::out_of_range("no parameter " + std::string(key));
}

void CheckDomain(const LiquidParameterSpec& parameter, double value, const std::string& path) {
  const std::string unit = "(" + std::string(parameter.unit) + "), not " + NumberText(value);
  switch (parameter.domain) {
    case ParameterDomain::Positive:
      if (!(value > 0)) {
        throw DocumentError(path + ": must be a positive number " + unit);
      }
      break;
    case ParameterDomain::NonNegative:
      if (!(value >= 0)) {
        throw DocumentError(path + ": must not be negative " + unit);
      }
      break;
    case ParameterDomain::PositiveAtMostOne:
      if (!(value > 0 && value <= 1)) {
        throw DocumentError(path + ": must be above 0 and at most 1 " + unit);
      }
      break;
    case ParameterDomain::AboveAbsoluteZero:
      if (!(value > kAbsoluteZeroCelsius)) {
        throw DocumentError(path + ": must be above absolute zero, " +
                            NumberText(kAbsoluteZeroCelsius) + " " + unit);
      }
      break;
  }
}

// The parameters of `row` from `object`, each in its domain and not above the parameter
// it is bounded by; `keys` collects the keys read.
std::vector<double> ReadParameters(const nlohmann::json& object,
                                   std::span<const LiquidParameterSpec> row,
                                   const std::string& keyPath,
                                   std::vector<std::string_view>& keys) {
  std::vector<double> values;
  for (const LiquidParameterSpec& parameter : row) {
    keys.push_back(parameter.key);
    const double value = RequireNumber(object, parameter.key, keyPath);
    CheckDomain(parameter, value, keyPath + "." + std::string(parameter.key));
    values.push_back(value);
  }
  for (std::size_t k = 0; k < row.size(); ++k) {
    if (!row[k].notAbove.empty() && values[k] > ParameterOfRow(row, values, row[k].notAbove)) {
      throw DocumentError(keyPath + "." + std::string(row[k].key) + ": must not exceed " +
                          std::string(row[k].notAbove) + " (" + std::string(row[k].unit) +
                          "), not " + NumberText(values[k]));
    }
  }
  return values;
}

std::string Names(const auto& rows) {
  std::string known;
  for (const auto& row : rows) {
    known += (known.empty() ? "" : ", ") + std::string(row.name);
  }
  return known;
}

TemperatureDocument ReadTemperature(const nlohmann::json& temperature, const std::string& keyPath) {
  RequireObject(temperature, keyPath);
  const std::string name = RequireText(temperature, "law", keyPath);
  const TemperatureLawSpec* row = FindTemperatureLaw(name);
  if (row == nullptr) {
    throw DocumentError(keyPath + ".law: unknown temperature law \"" + ShortText(name) +
                        "\"; the laws are " + Names(kTemperatureLaws));
  }
  std::vector<std::string_view> keys = {"law"};
  TemperatureDocument document{row->law,
                               ReadParameters(temperature, row->parameters, keyPath, keys)};
  RefuseUnknownKeys(temperature, keys, keyPath);
  if (row->law == TemperatureLaw::Wlf) {
    // The WLF shift is singular where C2 + T − T_ref reaches zero.
    const double lowest = document.Parameter("reference_temperature") - document.Parameter("C2");
    if (!(document.Parameter("die_temperature") > lowest)) {
      throw DocumentError(keyPath + ".die_temperature: must be above reference_temperature − C2 (" +
                          NumberText(lowest) + " °C) for the WLF law, not " +
                          NumberText(document.Parameter("die_temperature")));
    }
  }
  return document;
}

std::string OptionalText(const nlohmann::json& fluid, std::string_view key,
                         const std::string& keyPath) {
  return fluid.contains(std::string(key)) ? RequireText(fluid, key, keyPath) : std::string();
}

}  // namespace

double TemperatureDocument::Parameter(std::string_view key) const {
  return ParameterOfRow(TemperatureLawRow(law).parameters, parameters, key);
}

double LiquidDocument::Parameter(std::string_view key) const {
  try {
    return ParameterOfRow(LiquidModelRow(model).parameters, parameters, key);
  } catch (const std::out_of_range&) {
    throw std::out_of_range("the liquid model has no parameter " + std::string(key));
  }
}

LiquidDocument ReadLiquidDocument(const nlohmann::json& fluid, const std::string& keyPath) {
  RequireObject(fluid, keyPath);
  const std::string name = RequireText(fluid, "model", keyPath);
  const LiquidModelSpec* row = FindLiquidModel(name);
  if (row == nullptr) {
    throw DocumentError(keyPath + ".model: unknown liquid model \"" + ShortText(name) +
                        "\"; the models are " + Names(kLiquidModels));
  }

  LiquidDocument liquid;
  liquid.model = row->model;
  std::vector<std::string_view> keys = {"model", "name", "source", "temperature"};
  liquid.parameters = ReadParameters(fluid, row->parameters, keyPath, keys);
  RefuseUnknownKeys(fluid, keys, keyPath);
  if (row->model == LiquidModel::Cross && liquid.Parameter("m") == 1 &&
      liquid.Parameter("eta_inf") == 0) {
    throw DocumentError(keyPath +
                        ".m: must be below 1 when eta_inf is 0, or the stress would never "
                        "exceed eta0/lambda");
  }
  if (fluid.contains("temperature")) {
    liquid.temperature = ReadTemperature(fluid["temperature"], keyPath + ".temperature");
  }
  liquid.name = OptionalText(fluid, "name", keyPath);
  liquid.source = OptionalText(fluid, "source", keyPath);
  return liquid;
}

nlohmann::json LiquidDocumentJson(const LiquidDocument& liquid) {
  const LiquidModelSpec& row = LiquidModelRow(liquid.model);
  nlohmann::json fluid = nlohmann::json::object();
  if (!liquid.name.empty()) {
    fluid["name"] = liquid.name;
  }
  if (!liquid.source.empty()) {
    fluid["source"] = liquid.source;
  }
  fluid["model"] = row.name;
  for (std::size_t k = 0; k < row.parameters.size(); ++k) {
    fluid[std::string(row.parameters[k].key)] = liquid.parameters.at(k);
  }
  if (liquid.temperature) {
    const TemperatureLawSpec& law = TemperatureLawRow(liquid.temperature->law);
    nlohmann::json temperature = {{"law", law.name}};
    for (std::size_t k = 0; k < law.parameters.size(); ++k) {
      temperature[std::string(law.parameters[k].key)] = liquid.temperature->parameters.at(k);
    }
    fluid["temperature"] = temperature;
  }
  return fluid;
}

}  // namespace fluxeta::cases
