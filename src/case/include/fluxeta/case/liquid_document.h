// A liquid as a die document gives it, under "fluid":
//   {"model": "power-law", "K": 5.0, "n": 0.6}
// its parameters by the keys of its model's row (liquid_models.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/liquid_models.h"

namespace fluxeta::cases {

struct LiquidDocument {
  LiquidModel model = LiquidModel::Newtonian;
  std::vector<double> parameters;  // in the order of the model's row

  // The value of parameter `key` of the model; throws std::out_of_range for another key.
  double Parameter(std::string_view key) const;
};

// Reads the liquid at `keyPath` ("fluid") of a document. Raises DocumentError naming the key
// for an unknown model, a missing or unknown key, a value that is not a finite number or is
// outside its domain.
LiquidDocument ReadLiquidDocument(const nlohmann::json& fluid, const std::string& keyPath);

// The document of a liquid, as ReadLiquidDocument reads it.
nlohmann::json LiquidDocumentJson(const LiquidDocument& liquid);

}  // namespace fluxeta::cases
