// A liquid as a die document gives it, under "fluid":
//   {"model": "power-law", "K": 5.0, "n": 0.6}
// its parameters by the keys of its model's row (liquid_models.h), and optionally
//   "temperature": {"law": "arrhenius", "activation_energy": 40000,
//                   "reference_temperature": 25, "die_temperature": 40}
// (the keys of the law's row), and a "name" and a "source" (texts) that say what it is
// and where its values come from.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/liquid_models.h"

namespace fluxeta::cases {

struct TemperatureDocument {
  TemperatureLaw law = TemperatureLaw::Arrhenius;
  std::vector<double> parameters;  // in the order of the law's row

  // The value of parameter `key` of the law; throws std::out_of_range for another key.
  double Parameter(std::string_view key) const;
};

struct LiquidDocument {
  LiquidModel model = LiquidModel::Newtonian;
  std::vector<double> parameters;  // in the order of the model's row
  std::optional<TemperatureDocument> temperature;
  std::string name;    // empty when the document has none
  std::string source;  // empty when the document has none

  // The value of parameter `key` of the model; throws std::out_of_range for another key.
  double Parameter(std::string_view key) const;
};

// Reads the liquid at `keyPath` ("fluid") of a document. Raises DocumentError naming the key
// for an unknown model or law, a missing or unknown key, a value that is not a finite number
// or is outside its domain, or parameters that make no liquid together (η∞ above η0, a
// stress that stops rising, a temperature shift that is singular).
LiquidDocument ReadLiquidDocument(const nlohmann::json& fluid, const std::string& keyPath);

// The document of a liquid, as ReadLiquidDocument reads it.
nlohmann::json LiquidDocumentJson(const LiquidDocument& liquid);

}  // namespace fluxeta::cases
