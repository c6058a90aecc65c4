// The dies a die document may describe: one row per family with its keys, one per manifold
// cross-section with its sizes. The solver computes each row's geometry; a new family is a
// row here, its reader (die_geometry_document.cpp) and its geometry in the solver.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace fluxeta::cases {

enum class DieFamily { Tapered, TDie, CoatHanger, Profile };

// Where the liquid enters: at one end of the width, or in its middle (solved as one half
// with half the flow, by symmetry).
enum class DieFeed { End, Centre };

enum class ManifoldShape { Circle, Teardrop, Rectangle };

enum class KeyDomain { Positive, NonNegative };

// A number of a die document.
struct DieKeySpec {
  std::string_view key;
  std::string_view unit;
  std::string_view description;
  KeyDomain domain;
};

struct DieFamilySpec {
  DieFamily family;
  std::string_view name;  // the document's "family"
  std::string_view description;
  bool centreFeed;  // whether "feed": "centre" is allowed
  // The numbers every document of the family has under "geometry" (tables and texts of a
  // family are read by its reader).
  std::span<const DieKeySpec> numbers;
};

struct ManifoldShapeSpec {
  ManifoldShape shape;
  std::string_view name;  // "manifold": {"shape": …}
  std::span<const DieKeySpec> sizes;
};

// The window's die: the cavity area falls as (1 − x/W)^γ, the slot length linearly.
inline constexpr std::array<DieKeySpec, 7> kTaperedKeys = {{
    {"Ain", "cm2", "cavity area at the fed end", KeyDomain::Positive},
    {"gamma", "-", "cavity taper factor", KeyDomain::NonNegative},
    {"Pein", "cm", "cavity perimeter at the fed end", KeyDomain::Positive},
    {"Lin", "cm", "slot length at the fed end", KeyDomain::Positive},
    {"Lend", "cm", "slot length at the far end", KeyDomain::Positive},
    {"W", "cm", "die width", KeyDomain::Positive},
    {"H", "cm", "slot gap", KeyDomain::Positive},
}};

inline constexpr std::array<DieKeySpec, 3> kTDieKeys = {{
    {"width", "cm", "die width", KeyDomain::Positive},
    {"land_length", "cm", "land length from the manifold to the exit", KeyDomain::Positive},
    {"gap", "cm", "slot gap", KeyDomain::Positive},
}};

inline constexpr std::array<DieKeySpec, 2> kCoatHangerKeys = {{
    {"width", "cm", "die width", KeyDomain::Positive},
    {"gap", "cm", "slot gap", KeyDomain::Positive},
}};

// The coat-hanger's "design": "uniform": the manifold and land that pass the flow evenly.
inline constexpr std::array<DieKeySpec, 2> kUniformCoatHangerKeys = {{
    {"end_land_length", "cm", "land length at the closed end", KeyDomain::Positive},
    {"min_radius", "cm", "least manifold radius, more than the gap", KeyDomain::Positive},
}};

inline constexpr std::array<DieKeySpec, 1> kProfileKeys = {{
    {"width", "cm", "die width", KeyDomain::Positive},
}};

inline constexpr std::array<DieFamilySpec, 4> kDieFamilies = {{
    {DieFamily::Tapered, "tapered",
     "the window's end-fed die: a cavity of area Ain·(1 − x/W)^gamma, a slot length falling "
     "linearly from Lin to Lend",
     false, kTaperedKeys},
    {DieFamily::TDie, "t-die",
     "a manifold of constant cross-section (circle, teardrop or rectangle), constant land "
     "length and gap",
     true, kTDieKeys},
    {DieFamily::CoatHanger, "coat-hanger",
     "a circular manifold whose radius and land length vary across the width: tables of "
     "[x, value] pairs, or \"design\": \"uniform\" for an even flow",
     true, kCoatHangerKeys},
    {DieFamily::Profile, "profile",
     "any geometry: a CSV file of x, A, Pe, L, H (cm, cm2, cm, cm, cm), interpolated", true,
     kProfileKeys},
}};

inline constexpr std::array<DieKeySpec, 1> kCircleSizes = {{
    {"radius", "cm", "radius", KeyDomain::Positive},
}};

// A circle with the two tangents from a tip below it, towards the slot: height from the
// top of the circle to the tip, at least the diameter.
inline constexpr std::array<DieKeySpec, 2> kTeardropSizes = {{
    {"radius", "cm", "radius of the round top", KeyDomain::Positive},
    {"height", "cm", "height from the top to the tip, at least twice the radius",
     KeyDomain::Positive},
}};

inline constexpr std::array<DieKeySpec, 2> kRectangleSizes = {{
    {"width", "cm", "width across the flow, along the die exit's normal", KeyDomain::Positive},
    {"height", "cm", "height", KeyDomain::Positive},
}};

inline constexpr std::array<ManifoldShapeSpec, 3> kManifoldShapes = {{
    {ManifoldShape::Circle, "circle", kCircleSizes},
    {ManifoldShape::Teardrop, "teardrop", kTeardropSizes},
    {ManifoldShape::Rectangle, "rectangle", kRectangleSizes},
}};

// The keys of the document's top level that are numbers, and their defaults.
struct DieProcessKeySpec {
  std::string_view key;
  std::string_view unit;
  std::string_view description;
  KeyDomain domain;
  bool required;
  double defaultValue;  // where not required
};

inline constexpr std::array<DieProcessKeySpec, 4> kDieProcessKeys = {{
    {"flow_rate", "cm3/s", "flow rate fed to the die", KeyDomain::Positive, true, 0},
    {"density", "g/cm3", "density; 0 leaves out the inertia", KeyDomain::NonNegative, true, 0},
    {"inertia_factor", "-", "shape factor of the manifold's momentum flux (the window's alpha)",
     KeyDomain::NonNegative, false, 1.3},
    {"friction_factor", "-",
     "shape factor of the manifold's viscous friction (the window's lambda; 16 for a circle)",
     KeyDomain::Positive, false, 16},
}};

// Stations across the whole width (of both halves for a centre feed).
inline constexpr int kDefaultDieStations = 50;
inline constexpr int kLeastDieStations = 2;
// Bounds the memory of a solve (a refinement solves four times as many).
inline constexpr int kMostDieStations = 100000;

// The rows of a name, or nothing.
const DieFamilySpec* FindDieFamily(std::string_view name);
const DieFamilySpec& DieFamilyRow(DieFamily family);
const ManifoldShapeSpec* FindManifoldShape(std::string_view name);
const ManifoldShapeSpec& ManifoldShapeRow(ManifoldShape shape);

// "end", "centre".
std::string_view FeedName(DieFeed feed);

}  // namespace fluxeta::cases
