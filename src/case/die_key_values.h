// The numbers, texts and tables of a die document, read with refusals that name the key by
// its path in the document.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_document.h"
#include "fluxeta/case/die_families.h"

namespace fluxeta::cases {

// "geometry" + "radius" → "geometry.radius".
std::string KeyPath(const std::string& path, std::string_view key);

// The number of `key` in its domain.
double ReadDieKey(const nlohmann::json& object, const DieKeySpec& key, const std::string& path);

// Raises DocumentError for a value outside the domain, naming the key and its unit.
void CheckDomain(double value, KeyDomain domain, std::string_view unit, const std::string& keyPath);

// A list of at least two [x, value] pairs, x increasing, every value positive.
PointTable ReadPointTable(const nlohmann::json& object, std::string_view key, std::string_view unit,
                          const std::string& path);

// Raises DocumentError unless the positions run at least from the feed (0) to `end`.
void CheckCovers(const std::vector<double>& x, double end, const std::string& keyPath);

}  // namespace fluxeta::cases
