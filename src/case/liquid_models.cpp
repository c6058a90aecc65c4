#include "fluxeta/case/liquid_models.h"

namespace fluxeta::cases {

const LiquidModelSpec* FindLiquidModel(std::string_view name) {
  for (const LiquidModelSpec& row : kLiquidModels) {
    if (row.name == name) {
      return &row;
    }
  }
  return nullptr;
}

const LiquidModelSpec& LiquidModelRow(LiquidModel model) {
  for (const LiquidModelSpec& row : kLiquidModels) {
    if (row.model == model) {
      return row;
    }
  }
  // Every model has its row: the table is the list of models.
  return kLiquidModels.front();
}

const TemperatureLawSpec* FindTemperatureLaw(std::string_view name) {
  for (const TemperatureLawSpec& row : kTemperatureLaws) {
    if (row.name == name) {
      return &row;
    }
  }
  return nullptr;
}

const TemperatureLawSpec& TemperatureLawRow(TemperatureLaw law) {
  for (const TemperatureLawSpec& row : kTemperatureLaws) {
    if (row.law == law) {
      return row;
    }
  }
  return kTemperatureLaws.front();
}

}  // namespace fluxeta::cases
