// A die as a designer describes it: a JSON document of its geometry (one of the families of
// die_families.h), its liquid and its process values, in Fluxeta's units (cm, cm2, Pa.s,
// 1/s, g/cm3, cm3/s):
//   { "geometry": { "family": "t-die", "width": 50, "feed": "end",
//                   "manifold": { "shape": "circle", "radius": 1.0 },
//                   "land_length": 5.0, "gap": 0.05 },
//     "fluid": { "model": "newtonian", "viscosity": 1.0 },
//     "flow_rate": 10.0, "density": 1.0, "inertia_factor": 1.3, "friction_factor": 16,
//     "stations": 50 }
// Positions x are measured from the feed (the centre for a centre-fed die) towards the
// closed end.
#pragma once

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

#include "fluxeta/case/die_families.h"
#include "fluxeta/case/die_profile.h"
#include "fluxeta/case/liquid_document.h"

namespace fluxeta::cases {

struct TaperedGeometry {
  double Ain = 0, gamma = 0, Pein = 0, Lin = 0, Lend = 0, W = 0, H = 0;
};

struct ManifoldSection {
  ManifoldShape shape = ManifoldShape::Circle;
  double radius = 0;  // circle, teardrop (cm)
  double width = 0;   // rectangle (cm)
  double height = 0;  // teardrop, rectangle (cm)
};

struct TDieGeometry {
  double width = 0;
  DieFeed feed = DieFeed::End;
  ManifoldSection manifold;
  double landLength = 0;
  double gap = 0;
};

// [x, value] pairs with x increasing from the feed.
struct PointTable {
  std::vector<double> x;
  std::vector<double> value;
};

// Radius and land length given along the width.
struct TabulatedCoatHanger {
  PointTable radius;
  PointTable landLength;
};

// The manifold and land synthesised for an even slot flow of the document's liquid.
struct UniformCoatHanger {
  double endLandLength = 0;
  double minRadius = 0;
};

struct CoatHangerGeometry {
  double width = 0;
  DieFeed feed = DieFeed::End;
  double gap = 0;
  std::variant<TabulatedCoatHanger, UniformCoatHanger> design;
};

struct ProfileGeometry {
  double width = 0;
  DieFeed feed = DieFeed::End;
  std::string file;  // as the document names it
  ProfileTable profile;
};

using DieGeometry =
    std::variant<TaperedGeometry, TDieGeometry, CoatHangerGeometry, ProfileGeometry>;

struct DieDocument {
  DieGeometry geometry;
  LiquidDocument fluid;
  double flowRate = 0;        // cm3/s
  double density = 0;         // g/cm3
  double inertiaFactor = 0;   // α (-)
  double frictionFactor = 0;  // λ (-)
  int stations = kDefaultDieStations;
  std::string description;  // free text, kept as given

  DieFamily family() const;
  DieFeed feed() const;
  double width() const;  // the whole width (cm)
  // The width of the part solved: half of it for a centre feed.
  double solvedWidth() const;
};

// Reads a die document. A profile file is read relative to `documentDirectory`. Raises
// DocumentError naming the key ("geometry.manifold.radius") for a missing or unknown key, a
// value of the wrong type, a size that is zero or negative, a table that does not increase,
// and naming the file, line and column for a profile that cannot be used.
DieDocument ReadDieDocument(const nlohmann::json& document,
                            const std::filesystem::path& documentDirectory);

// Raises DocumentError naming `name` unless `stations` is a whole number of stations, within
// the solver's bounds and even for a centre feed.
void CheckDieStations(double stations, DieFeed feed, const std::string& name);

// The document as ReadDieDocument reads it back, every default written out.
nlohmann::json DieDocumentJson(const DieDocument& document);

// The text of a die document file: DieDocumentJson, its keys in alphabetical order, indented
// by two spaces a level, numbers in their shortest exact form, and a final newline. Reading
// the text back and writing it again gives the same bytes.
std::string DieDocumentText(const DieDocument& document);

// Parses the text of a die document file; raises DocumentError naming `sourceName` with the
// line and column of a syntax error.
nlohmann::json ParseDieDocumentText(std::string_view text, const std::string& sourceName);

// Reads and parses a die document file of at most kMostDocumentBytes; raises DocumentError
// naming the file and the system's reason when it cannot be read.
nlohmann::json ReadDieDocumentFile(const std::filesystem::path& path);

inline constexpr std::size_t kMostDocumentBytes = 16 << 20;

}  // namespace fluxeta::cases
