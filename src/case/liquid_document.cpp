#include "fluxeta/case/liquid_document.h"

#include <cmath>
#include <stdexcept>

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"

namespace fluxeta::cases {

double LiquidDocument::Parameter(std::string_view key) const {
  const LiquidModelSpec& row = LiquidModelRow(model);
  for (std::size_t k = 0; k < row.parameters.size(); ++k) {
    if (row.parameters[k].key == key) {
      return parameters.at(k);
    }
  }
  throw std::out_of_range("the liquid model has no parameter " + std::string(key));
}

LiquidDocument ReadLiquidDocument(const nlohmann::json& fluid, const std::string& keyPath) {
  RequireObject(fluid, keyPath);
  const std::string modelPath = keyPath + ".model";
  const std::string name = RequireText(fluid, "model", keyPath);
  const LiquidModelSpec* row = FindLiquidModel(name);
  if (row == nullptr) {
    std::string known;
    for (const LiquidModelSpec& model : kLiquidModels) {
      known += (known.empty() ? "" : ", ") + std::string(model.name);
    }
    throw DocumentError(modelPath + ": unknown liquid model \"" + ShortText(name) +
                        "\"; the models are " + known);
  }

  LiquidDocument liquid;
  liquid.model = row->model;
  std::vector<std::string_view> keys = {"model"};
  for (const LiquidParameterSpec& parameter : row->parameters) {
    keys.push_back(parameter.key);
    const double value = RequireNumber(fluid, parameter.key, keyPath);
    const std::string path = keyPath + "." + std::string(parameter.key);
    if (parameter.domain == ParameterDomain::Positive && !(value > 0)) {
      throw DocumentError(path + ": must be a positive number (" + std::string(parameter.unit) +
                          "), not " + NumberText(value));
    }
    if (parameter.domain == ParameterDomain::NonNegative && !(value >= 0)) {
      throw DocumentError(path + ": must not be negative (" + std::string(parameter.unit) +
                          "), not " + NumberText(value));
    }
    liquid.parameters.push_back(value);
  }
  RefuseUnknownKeys(fluid, keys, keyPath);
  return liquid;
}

nlohmann::json LiquidDocumentJson(const LiquidDocument& liquid) {
  const LiquidModelSpec& row = LiquidModelRow(liquid.model);
  nlohmann::json fluid = nlohmann::json::object();
  fluid["model"] = row.name;
  for (std::size_t k = 0; k < row.parameters.size(); ++k) {
    fluid[std::string(row.parameters[k].key)] = liquid.parameters.at(k);
  }
  return fluid;
}

}  // namespace fluxeta::cases
