#include "fluxeta/coating/operating_point.h"

#include <array>
#include <string>
#include <string_view>

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"

namespace fluxeta::coating {

namespace {

using cases::DocumentError;

struct PositiveKey {
  std::string_view key;
  std::string_view unit;
  double OperatingPoint::*field;
};

// Every value of the point but the vacuum must be positive for the bead to exist.
constexpr std::array<PositiveKey, 5> kPositiveKeys = {{
    {"web_speed", "cm/s", &OperatingPoint::webSpeed},
    {"coating_gap", "cm", &OperatingPoint::coatingGap},
    {"upstream_lip", "cm", &OperatingPoint::upstreamLip},
    {"downstream_lip", "cm", &OperatingPoint::downstreamLip},
    {"surface_tension", "N/m", &OperatingPoint::surfaceTension},
}};

constexpr std::string_view kVacuumKey = "vacuum";

}  // namespace

OperatingPoint ReadOperatingPoint(const nlohmann::json& document) {
  cases::RequireObject(document, "");
  std::vector<std::string_view> known{kVacuumKey};
  for (const PositiveKey& key : kPositiveKeys) {
    known.push_back(key.key);
  }
  cases::RefuseUnknownKeys(document, known, "");

  OperatingPoint point;
  for (const PositiveKey& key : kPositiveKeys) {
    const double value = cases::RequireNumber(document, key.key, "");
    if (!(value > 0)) {
      throw DocumentError(std::string(key.key) + ": must be a positive number (" +
                          std::string(key.unit) + "), not " + cases::NumberText(value));
    }
    point.*key.field = value;
  }

  const nlohmann::json& vacuum = cases::RequireMember(document, kVacuumKey, "");
  const std::string vacuumPath(kVacuumKey);
  if (!vacuum.is_array() || vacuum.size() != 2) {
    throw DocumentError(vacuumPath + ": must be a list of two numbers [lowest, highest] (Pa)");
  }
  for (std::size_t end = 0; end < 2; ++end) {
    if (!cases::IsDocumentNumber(vacuum[end])) {
      throw DocumentError(vacuumPath + "[" + std::to_string(end) +
                          "]: must be a finite number (Pa)");
    }
  }
  point.lowestVacuum = vacuum[0].get<double>();
  point.highestVacuum = vacuum[1].get<double>();
  if (!(point.lowestVacuum <= point.highestVacuum)) {
    throw DocumentError(vacuumPath + ": the lowest vacuum " +
                        cases::NumberText(point.lowestVacuum) + " Pa is above the highest " +
                        cases::NumberText(point.highestVacuum) + " Pa");
  }
  return point;
}

nlohmann::ordered_json OperatingPointJson(const OperatingPoint& point) {
  nlohmann::ordered_json document;
  for (const PositiveKey& key : kPositiveKeys) {
    document[std::string(key.key)] = point.*key.field;
  }
  document[std::string(kVacuumKey)] = {point.lowestVacuum, point.highestVacuum};
  return document;
}

}  // namespace fluxeta::coating
