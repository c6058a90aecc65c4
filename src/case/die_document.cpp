#include "fluxeta/case/die_document.h"

#include <cmath>
#include <string_view>

#include "bounded_file.h"
#include "die_geometry_document.h"
#include "die_key_values.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"

namespace fluxeta::cases {

namespace {

constexpr std::string_view kFluidKey = "fluid";
constexpr std::string_view kStationsKey = "stations";
constexpr std::string_view kDescriptionKey = "description";

double DieDocument::*ProcessField(std::string_view key) {
  if (key == "flow_rate") {
    return &DieDocument::flowRate;
  }
  if (key == "density") {
    return &DieDocument::density;
  }
  return key == "inertia_factor" ? &DieDocument::inertiaFactor : &DieDocument::frictionFactor;
}

struct FeedOf {
  DieFeed operator()(const TaperedGeometry&) const { return DieFeed::End; }
  template <typename Geometry>
  DieFeed operator()(const Geometry& die) const {
    return die.feed;
  }
};

struct WidthOf {
  double operator()(const TaperedGeometry& die) const { return die.W; }
  template <typename Geometry>
  double operator()(const Geometry& die) const {
    return die.width;
  }
};

struct FamilyOf {
  DieFamily operator()(const TaperedGeometry&) const { return DieFamily::Tapered; }
  DieFamily operator()(const TDieGeometry&) const { return DieFamily::TDie; }
  DieFamily operator()(const CoatHangerGeometry&) const { return DieFamily::CoatHanger; }
  DieFamily operator()(const ProfileGeometry&) const { return DieFamily::Profile; }
};

}  // namespace

DieFamily DieDocument::family() const {
  return std::visit(FamilyOf{}, geometry);
}

DieFeed DieDocument::feed() const {
  return std::visit(FeedOf{}, geometry);
}

double DieDocument::width() const {
  return std::visit(WidthOf{}, geometry);
}

double DieDocument::solvedWidth() const {
  return feed() == DieFeed::Centre ? width() / 2 : width();
}

void CheckDieStations(double stations, DieFeed feed, const std::string& name) {
  if (!(stations == std::floor(stations)) || stations < kLeastDieStations ||
      stations > kMostDieStations) {
    throw DocumentError(name + ": must be a whole number from " +
                        std::to_string(kLeastDieStations) + " to " +
                        std::to_string(kMostDieStations) + ", not " + NumberText(stations));
  }
  if (feed == DieFeed::Centre && static_cast<long>(stations) % 2 != 0) {
    throw DocumentError(name + ": a centre-fed die needs an even number of stations, " +
                        "the same on both halves, not " + NumberText(stations));
  }
}

DieDocument ReadDieDocument(const nlohmann::json& document,
                            const std::filesystem::path& documentDirectory) {
  RequireObject(document, "");
  std::vector<std::string_view> known = {kGeometryKey, kFluidKey, kStationsKey, kDescriptionKey};
  for (const DieProcessKeySpec& key : kDieProcessKeys) {
    known.push_back(key.key);
  }
  RefuseUnknownKeys(document, known, "");

  DieDocument die;
  die.geometry = ReadDieGeometry(RequireMember(document, kGeometryKey, ""), documentDirectory);
  die.fluid = ReadLiquidDocument(RequireMember(document, kFluidKey, ""), std::string(kFluidKey));
  for (const DieProcessKeySpec& key : kDieProcessKeys) {
    double value = key.defaultValue;
    if (key.required || document.contains(key.key)) {
      value = RequireNumber(document, key.key, "");
      CheckDomain(value, key.domain, key.unit, std::string(key.key));
    }
    die.*ProcessField(key.key) = value;
  }
  if (document.contains(kStationsKey)) {
    const double stations = RequireNumber(document, kStationsKey, "");
    CheckDieStations(stations, die.feed(), std::string(kStationsKey));
    die.stations = static_cast<int>(stations);
  } else {
    CheckDieStations(die.stations, die.feed(), std::string(kStationsKey));
  }
  if (document.contains(kDescriptionKey)) {
    die.description = RequireText(document, kDescriptionKey, "");
  }
  return die;
}

nlohmann::json DieDocumentJson(const DieDocument& die) {
  nlohmann::json document = {{kGeometryKey, DieGeometryJson(die.geometry)},
                             {kFluidKey, LiquidDocumentJson(die.fluid)},
                             {kStationsKey, die.stations}};
  for (const DieProcessKeySpec& key : kDieProcessKeys) {
    document[std::string(key.key)] = die.*ProcessField(key.key);
  }
  if (!die.description.empty()) {
    document[std::string(kDescriptionKey)] = die.description;
  }
  return document;
}

std::string DieDocumentText(const DieDocument& document) {
  constexpr int kIndentSpaces = 2;
  return DieDocumentJson(document).dump(kIndentSpaces) + '\n';
}

nlohmann::json ParseDieDocumentText(std::string_view text, const std::string& sourceName) {
  try {
    return nlohmann::json::parse(text);
  } catch (const nlohmann::json::exception& error) {
    // A syntax error or a number beyond a double ("number overflow parsing '1e700'"),
    // "[json.exception.parse_error.101] parse error at line 3, column 5: …" without its tag.
    std::string reason = error.what();
    const auto tagEnd = reason.find("] ");
    if (tagEnd != std::string::npos) {
      reason.erase(0, tagEnd + 2);
    }
    throw DocumentError("die document '" + ShortText(sourceName) + "': " + ShortText(reason));
  }
}

nlohmann::json ReadDieDocumentFile(const std::filesystem::path& path) {
  const std::string name = path.string();
  return ParseDieDocumentText(ReadBoundedFile(path, kMostDocumentBytes, "die document", name),
                              name);
}

}  // namespace fluxeta::cases
