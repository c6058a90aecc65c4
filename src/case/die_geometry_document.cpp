#include "die_geometry_document.h"

#include <algorithm>

#include "die_key_values.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"

namespace fluxeta::cases {

namespace {

const std::string kPath(kGeometryKey);

// The keys every family has beside its numbers.
constexpr std::string_view kFamilyKey = "family";
constexpr std::string_view kFeedKey = "feed";
constexpr std::string_view kManifoldKey = "manifold";
constexpr std::string_view kShapeKey = "shape";
constexpr std::string_view kRadiusTableKey = "radius";
constexpr std::string_view kLandTableKey = "land_length";
constexpr std::string_view kDesignKey = "design";
constexpr std::string_view kUniformDesign = "uniform";
constexpr std::string_view kProfileFileKey = "profile";

// A teardrop's tip lies at least a radius below the centre of its round top.
constexpr double kLeastTeardropHeightInRadii = 2;

template <std::size_t N>
std::vector<std::string_view> KeysOf(const std::array<DieKeySpec, N>& keys) {
  std::vector<std::string_view> names;
  for (const DieKeySpec& key : keys) {
    names.push_back(key.key);
  }
  return names;
}

// The numbers of `keys`, in their order.
template <std::size_t N>
std::array<double, N> ReadKeys(const nlohmann::json& object, const std::array<DieKeySpec, N>& keys,
                               const std::string& path) {
  std::array<double, N> values{};
  for (std::size_t k = 0; k < N; ++k) {
    values[k] = ReadDieKey(object, keys[k], path);
  }
  return values;
}

DieFeed ReadFeed(const nlohmann::json& geometry, const DieFamilySpec& family) {
  if (!geometry.contains(kFeedKey)) {
    return DieFeed::End;
  }
  const std::string feed = RequireText(geometry, kFeedKey, kPath);
  const std::string path = KeyPath(kPath, kFeedKey);
  if (feed == FeedName(DieFeed::End)) {
    return DieFeed::End;
  }
  if (feed == FeedName(DieFeed::Centre)) {
    if (!family.centreFeed) {
      throw DocumentError(path + ": the " + std::string(family.name) +
                          " die is fed at its end only");
    }
    return DieFeed::Centre;
  }
  throw DocumentError(path + ": must be \"end\" or \"centre\", not \"" + ShortText(feed) + "\"");
}

double SolvedWidth(double width, DieFeed feed) {
  return feed == DieFeed::Centre ? width / 2 : width;
}

DieGeometry ReadTapered(const nlohmann::json& geometry, const DieFamilySpec& family,
                        const std::filesystem::path&) {
  std::vector<std::string_view> known = KeysOf(kTaperedKeys);
  known.insert(known.end(), {kFamilyKey, kFeedKey});
  RefuseUnknownKeys(geometry, known, kPath);
  ReadFeed(geometry, family);
  const auto [Ain, gamma, Pein, Lin, Lend, W, H] = ReadKeys(geometry, kTaperedKeys, kPath);
  return TaperedGeometry{Ain, gamma, Pein, Lin, Lend, W, H};
}

double ManifoldSection::*SizeField(std::string_view key) {
  if (key == "radius") {
    return &ManifoldSection::radius;
  }
  return key == "width" ? &ManifoldSection::width : &ManifoldSection::height;
}

ManifoldSection ReadManifold(const nlohmann::json& geometry) {
  const std::string path = KeyPath(kPath, kManifoldKey);
  const nlohmann::json& manifold = RequireMember(geometry, kManifoldKey, kPath);
  RequireObject(manifold, path);
  const std::string name = RequireText(manifold, kShapeKey, path);
  const ManifoldShapeSpec* shape = FindManifoldShape(name);
  if (shape == nullptr) {
    throw DocumentError(KeyPath(path, kShapeKey) + ": unknown manifold shape \"" + ShortText(name) +
                        "\"; the shapes are circle, teardrop, rectangle");
  }
  std::vector<std::string_view> known = {kShapeKey};
  ManifoldSection section;
  section.shape = shape->shape;
  for (const DieKeySpec& size : shape->sizes) {
    known.push_back(size.key);
    const double value = ReadDieKey(manifold, size, path);
    section.*SizeField(size.key) = value;
  }
  RefuseUnknownKeys(manifold, known, path);
  if (section.shape == ManifoldShape::Teardrop &&
      !(section.height >= kLeastTeardropHeightInRadii * section.radius)) {
    throw DocumentError(KeyPath(path, "height") +
                        ": a teardrop's height must be at least twice its radius (" +
                        NumberText(kLeastTeardropHeightInRadii * section.radius) + " cm), not " +
                        NumberText(section.height));
  }
  return section;
}

DieGeometry ReadTDie(const nlohmann::json& geometry, const DieFamilySpec& family,
                     const std::filesystem::path&) {
  std::vector<std::string_view> known = KeysOf(kTDieKeys);
  known.insert(known.end(), {kFamilyKey, kFeedKey, kManifoldKey});
  RefuseUnknownKeys(geometry, known, kPath);
  TDieGeometry die;
  die.feed = ReadFeed(geometry, family);
  const auto [width, landLength, gap] = ReadKeys(geometry, kTDieKeys, kPath);
  die.width = width;
  die.landLength = landLength;
  die.gap = gap;
  die.manifold = ReadManifold(geometry);
  return die;
}

DieGeometry ReadCoatHanger(const nlohmann::json& geometry, const DieFamilySpec& family,
                           const std::filesystem::path&) {
  CoatHangerGeometry die;
  die.feed = ReadFeed(geometry, family);
  const auto [width, gap] = ReadKeys(geometry, kCoatHangerKeys, kPath);
  die.width = width;
  die.gap = gap;
  std::vector<std::string_view> known = KeysOf(kCoatHangerKeys);
  known.insert(known.end(), {kFamilyKey, kFeedKey});
  if (geometry.contains(kDesignKey)) {
    const std::string design = RequireText(geometry, kDesignKey, kPath);
    if (design != kUniformDesign) {
      throw DocumentError(KeyPath(kPath, kDesignKey) + ": must be \"uniform\", not \"" +
                          ShortText(design) + "\"; a die of given tables has no \"design\"");
    }
    known.push_back(kDesignKey);
    const std::vector<std::string_view> designKeys = KeysOf(kUniformCoatHangerKeys);
    known.insert(known.end(), designKeys.begin(), designKeys.end());
    RefuseUnknownKeys(geometry, known, kPath);
    const auto [endLandLength, minRadius] = ReadKeys(geometry, kUniformCoatHangerKeys, kPath);
    if (!(minRadius > gap)) {
      throw DocumentError(KeyPath(kPath, "min_radius") + ": must exceed the gap (" +
                          NumberText(gap) + " cm), not " + NumberText(minRadius));
    }
    die.design = UniformCoatHanger{endLandLength, minRadius};
    return die;
  }
  known.insert(known.end(), {kRadiusTableKey, kLandTableKey});
  RefuseUnknownKeys(geometry, known, kPath);
  TabulatedCoatHanger tables;
  const double end = SolvedWidth(width, die.feed);
  tables.radius = ReadPointTable(geometry, kRadiusTableKey, "cm", kPath);
  CheckCovers(tables.radius.x, end, KeyPath(kPath, kRadiusTableKey));
  tables.landLength = ReadPointTable(geometry, kLandTableKey, "cm", kPath);
  CheckCovers(tables.landLength.x, end, KeyPath(kPath, kLandTableKey));
  die.design = std::move(tables);
  return die;
}

DieGeometry ReadProfile(const nlohmann::json& geometry, const DieFamilySpec& family,
                        const std::filesystem::path& documentDirectory) {
  std::vector<std::string_view> known = KeysOf(kProfileKeys);
  known.insert(known.end(), {kFamilyKey, kFeedKey, kProfileFileKey});
  RefuseUnknownKeys(geometry, known, kPath);
  ProfileGeometry die;
  die.feed = ReadFeed(geometry, family);
  die.width = ReadKeys(geometry, kProfileKeys, kPath)[0];
  die.file = RequireText(geometry, kProfileFileKey, kPath);
  const std::filesystem::path file(die.file);
  die.profile = ReadProfileFile(file.is_absolute() ? file : documentDirectory / file, die.file);
  CheckCovers(die.profile.x, SolvedWidth(die.width, die.feed), KeyPath(kPath, kProfileFileKey));
  return die;
}

using FamilyReader = DieGeometry (*)(const nlohmann::json&, const DieFamilySpec&,
                                     const std::filesystem::path&);

struct FamilyCode {
  DieFamily family;
  FamilyReader read;
};

constexpr std::array<FamilyCode, kDieFamilies.size()> kFamilyReaders = {{
    {DieFamily::Tapered, ReadTapered},
    {DieFamily::TDie, ReadTDie},
    {DieFamily::CoatHanger, ReadCoatHanger},
    {DieFamily::Profile, ReadProfile},
}};

nlohmann::json PointTableJson(const PointTable& table) {
  nlohmann::json list = nlohmann::json::array();
  for (std::size_t k = 0; k < table.x.size(); ++k) {
    list.push_back({table.x[k], table.value[k]});
  }
  return list;
}

struct GeometryWriter {
  nlohmann::json operator()(const TaperedGeometry& die) const {
    return {{kFamilyKey, "tapered"}, {"Ain", die.Ain},   {"gamma", die.gamma}, {"Pein", die.Pein},
            {"Lin", die.Lin},        {"Lend", die.Lend}, {"W", die.W},         {"H", die.H}};
  }
  nlohmann::json operator()(const TDieGeometry& die) const {
    nlohmann::json manifold = {{kShapeKey, ManifoldShapeRow(die.manifold.shape).name}};
    switch (die.manifold.shape) {
      case ManifoldShape::Circle:
        manifold["radius"] = die.manifold.radius;
        break;
      case ManifoldShape::Teardrop:
        manifold["radius"] = die.manifold.radius;
        manifold["height"] = die.manifold.height;
        break;
      case ManifoldShape::Rectangle:
        manifold["width"] = die.manifold.width;
        manifold["height"] = die.manifold.height;
        break;
    }
    return {{kFamilyKey, "t-die"},           {"width", die.width},
            {kFeedKey, FeedName(die.feed)},  {kManifoldKey, manifold},
            {"land_length", die.landLength}, {"gap", die.gap}};
  }
  nlohmann::json operator()(const CoatHangerGeometry& die) const {
    nlohmann::json geometry = {{kFamilyKey, "coat-hanger"},
                               {"width", die.width},
                               {kFeedKey, FeedName(die.feed)},
                               {"gap", die.gap}};
    if (const auto* uniform = std::get_if<UniformCoatHanger>(&die.design)) {
      geometry[kDesignKey] = kUniformDesign;
      geometry["end_land_length"] = uniform->endLandLength;
      geometry["min_radius"] = uniform->minRadius;
    } else {
      const auto& tables = std::get<TabulatedCoatHanger>(die.design);
      geometry[kRadiusTableKey] = PointTableJson(tables.radius);
      geometry[kLandTableKey] = PointTableJson(tables.landLength);
    }
    return geometry;
  }
  nlohmann::json operator()(const ProfileGeometry& die) const {
    return {{kFamilyKey, "profile"},
            {"width", die.width},
            {kFeedKey, FeedName(die.feed)},
            {kProfileFileKey, die.file}};
  }
};

}  // namespace

DieGeometry ReadDieGeometry(const nlohmann::json& geometry,
                            const std::filesystem::path& documentDirectory) {
  RequireObject(geometry, kPath);
  const std::string name = RequireText(geometry, kFamilyKey, kPath);
  const DieFamilySpec* family = FindDieFamily(name);
  if (family == nullptr) {
    std::string known;
    for (const DieFamilySpec& row : kDieFamilies) {
      known += (known.empty() ? "" : ", ") + std::string(row.name);
    }
    throw DocumentError(KeyPath(kPath, kFamilyKey) + ": unknown die family \"" + ShortText(name) +
                        "\"; the families are " + known);
  }
  const auto code = std::find_if(kFamilyReaders.begin(), kFamilyReaders.end(),
                                 [&](const FamilyCode& c) { return c.family == family->family; });
  return code->read(geometry, *family, documentDirectory);
}

nlohmann::json DieGeometryJson(const DieGeometry& geometry) {
  return std::visit(GeometryWriter{}, geometry);
}

}  // namespace fluxeta::cases
