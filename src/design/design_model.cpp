#include "fluxeta/design/design_model.h"

namespace fluxeta::design {

nlohmann::ordered_json DesignModel::ReportedValues(const DesignPoint& point) const {
  nlohmann::ordered_json values = nlohmann::ordered_json::object();
  const std::vector<DesignQuantity>& quantities = Quantities();
  for (std::size_t k = 0; k < quantities.size(); ++k) {
    values[quantities[k].name] = point[k];
  }
  return values;
}

std::optional<std::size_t> DesignModel::Find(std::string_view name) const {
  const std::vector<DesignQuantity>& quantities = Quantities();
  for (std::size_t k = 0; k < quantities.size(); ++k) {
    if (quantities[k].name == name) {
      return k;
    }
  }
  return std::nullopt;
}

DesignPoint DesignModel::BasePoint() const {
  DesignPoint point;
  for (const DesignQuantity& quantity : Quantities()) {
    point.push_back(quantity.value);
  }
  return point;
}

std::string DesignModel::NameList() const {
  std::string names;
  for (const DesignQuantity& quantity : Quantities()) {
    names += names.empty() ? "" : ", ";
    names += quantity.name;
  }
  return names;
}

}  // namespace fluxeta::design
