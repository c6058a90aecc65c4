#include "die_key_values.h"

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"

namespace fluxeta::cases {

std::string KeyPath(const std::string& path, std::string_view key) {
  return path.empty() ? std::string(key) : path + "." + std::string(key);
}

void CheckDomain(double value, KeyDomain domain, std::string_view unit,
                 const std::string& keyPath) {
  const std::string shownUnit = unit == "-" ? std::string() : " (" + std::string(unit) + ")";
  if (domain == KeyDomain::Positive && !(value > 0)) {
    throw DocumentError(keyPath + ": must be a positive number" + shownUnit + ", not " +
                        NumberText(value));
  }
  if (domain == KeyDomain::NonNegative && !(value >= 0)) {
    throw DocumentError(keyPath + ": must not be negative" + shownUnit + ", not " +
                        NumberText(value));
  }
}

double ReadDieKey(const nlohmann::json& object, const DieKeySpec& key, const std::string& path) {
  const double value = RequireNumber(object, key.key, path);
  CheckDomain(value, key.domain, key.unit, KeyPath(path, key.key));
  return value;
}

PointTable ReadPointTable(const nlohmann::json& object, std::string_view key, std::string_view unit,
                          const std::string& path) {
  const std::string tablePath = KeyPath(path, key);
  const nlohmann::json& list = RequireMember(object, key, path);
  if (!list.is_array() || list.size() < 2) {
    throw DocumentError(tablePath + ": must be a list of at least two [x, value] pairs");
  }
  PointTable table;
  for (std::size_t row = 0; row < list.size(); ++row) {
    const std::string rowPath = KeyPath(tablePath, std::to_string(row));
    const nlohmann::json& pair = list[row];
    if (!pair.is_array() || pair.size() != 2 || !IsDocumentNumber(pair[0]) ||
        !IsDocumentNumber(pair[1])) {
      throw DocumentError(rowPath + ": must be a pair of numbers [x, value]");
    }
    const double x = pair[0].get<double>();
    const double value = pair[1].get<double>();
    if (!table.x.empty() && !(x > table.x.back())) {
      throw DocumentError(KeyPath(rowPath, "0") + ": x must increase, but " + NumberText(x) +
                          " follows " + NumberText(table.x.back()));
    }
    CheckDomain(value, KeyDomain::Positive, unit, KeyPath(rowPath, "1"));
    table.x.push_back(x);
    table.value.push_back(value);
  }
  return table;
}

void CheckCovers(const std::vector<double>& x, double end, const std::string& keyPath) {
  if (!(x.front() <= 0 && x.back() >= end)) {
    throw DocumentError(keyPath + ": x runs from " + NumberText(x.front()) + " to " +
                        NumberText(x.back()) + " cm; it must cover the die from the feed (0) " +
                        "to the closed end (" + NumberText(end) + " cm)");
  }
}

}  // namespace fluxeta::cases
