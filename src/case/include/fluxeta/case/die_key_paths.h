// The numbers of a die document by their paths in it: "flow_rate", "fluid.viscosity",
// "geometry.manifold.radius", "geometry.radius.2.1" (the value of the third row of a
// table). A study or a design of a die varies these.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/physical_domain.h"

namespace fluxeta::cases {

struct DieNumberKey {
  std::string path;
  std::string unit;  // "-" for a pure number
  PhysicalDomain domain = PhysicalDomain::Real;
  // A range a designer would study, where the tables give one (a liquid's parameters, the
  // tapered die's dimensions, which are the window's inputs).
  std::optional<std::pair<double, double>> plausible;
  double value = 0;
};

// The number at `path` of a document as DieDocumentJson writes it (every default written
// out). Raises DocumentError naming the path when the document has no such key or its
// value is not a number.
DieNumberKey FindDieNumberKey(const nlohmann::json& document, std::string_view path);

// The numbers of the document a designer varies, keys in alphabetical order: all but the count of
// stations and the positions of a table's rows.
std::vector<DieNumberKey> DesignableDieNumbers(const nlohmann::json& document);

// The pointer to the key at `path` ("geometry.manifold.radius" → /geometry/manifold/radius).
nlohmann::json::json_pointer DieKeyPointer(std::string_view path);

}  // namespace fluxeta::cases
