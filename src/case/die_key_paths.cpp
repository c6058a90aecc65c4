#include "fluxeta/case/die_key_paths.h"

#include <span>

#include "fluxeta/case/die_families.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/liquid_models.h"

namespace fluxeta::cases {

namespace {

constexpr std::string_view kStationsKey = "stations";
constexpr std::string_view kLengthUnit = "cm";

std::vector<std::string> SegmentsOf(std::string_view path) {
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = path.find('.', start);
    segments.emplace_back(path.substr(start, dot - start));
    if (dot == std::string_view::npos) {
      return segments;
    }
    start = dot + 1;
  }
}

PhysicalDomain DomainOf(KeyDomain domain) {
  return domain == KeyDomain::Positive ? PhysicalDomain::Positive : PhysicalDomain::NonNegative;
}

PhysicalDomain DomainOf(ParameterDomain domain) {
  switch (domain) {
    case ParameterDomain::Positive:
    case ParameterDomain::PositiveAtMostOne:
      return PhysicalDomain::Positive;
    case ParameterDomain::NonNegative:
      return PhysicalDomain::NonNegative;
    case ParameterDomain::AboveAbsoluteZero:
      break;
  }
  return PhysicalDomain::Real;
}

// The text at `pointer`, or empty.
std::string TextAt(const nlohmann::json& document, const nlohmann::json::json_pointer& pointer) {
  const nlohmann::json* value = document.contains(pointer) ? &document.at(pointer) : nullptr;
  return value != nullptr && value->is_string() ? value->get<std::string>() : std::string();
}

void DescribeByRow(DieNumberKey& key, std::span<const DieKeySpec> rows, std::string_view name) {
  for (const DieKeySpec& row : rows) {
    if (row.key == name) {
      key.unit = row.unit;
      key.domain = DomainOf(row.domain);
    }
  }
}

void DescribeByRow(DieNumberKey& key, std::span<const LiquidParameterSpec> rows,
                   std::string_view name) {
  for (const LiquidParameterSpec& row : rows) {
    if (row.key == name) {
      key.unit = row.unit;
      key.domain = DomainOf(row.domain);
      key.plausible = std::pair(row.plausibleLow, row.plausibleHigh);
    }
  }
}

void DescribeFluidKey(DieNumberKey& key, const nlohmann::json& document,
                      const std::vector<std::string>& segments) {
  if (segments.size() == 2) {
    if (const LiquidModelSpec* model =
            FindLiquidModel(TextAt(document, DieKeyPointer("fluid.model")))) {
      DescribeByRow(key, model->parameters, segments[1]);
    }
  } else if (segments.size() == 3 && segments[1] == "temperature") {
    if (const TemperatureLawSpec* law =
            FindTemperatureLaw(TextAt(document, DieKeyPointer("fluid.temperature.law")))) {
      DescribeByRow(key, law->parameters, segments[2]);
    }
  }
}

void DescribeGeometryKey(DieNumberKey& key, const nlohmann::json& document,
                         const std::vector<std::string>& segments) {
  const DieFamilySpec* family = FindDieFamily(TextAt(document, DieKeyPointer("geometry.family")));
  if (family == nullptr) {
    return;
  }
  if (segments.size() == 2) {
    DescribeByRow(key, family->numbers, segments[1]);
    DescribeByRow(key, kUniformCoatHangerKeys, segments[1]);
    // The tapered die's dimensions are the window's inputs of the same names.
    if (family->family == DieFamily::Tapered) {
      if (const auto input = FindInput(segments[1])) {
        key.plausible = std::pair(kInputs[*input].plausibleLow, kInputs[*input].plausibleHigh);
      }
    }
  } else if (segments.size() == 3 && segments[1] == "manifold") {
    if (const ManifoldShapeSpec* shape =
            FindManifoldShape(TextAt(document, DieKeyPointer("geometry.manifold.shape")))) {
      DescribeByRow(key, shape->sizes, segments[2]);
    }
  } else if (segments.size() == 4) {
    // A row [x, value] of a table of lengths along the width.
    key.unit = kLengthUnit;
    key.domain = segments[3] == "1" ? PhysicalDomain::Positive : PhysicalDomain::Real;
  }
}

DieNumberKey Describe(const nlohmann::json& document, std::string path, double value) {
  DieNumberKey key{std::move(path), "-", PhysicalDomain::Real, std::nullopt, value};
  const std::vector<std::string> segments = SegmentsOf(key.path);
  if (segments.size() == 1) {
    for (const DieProcessKeySpec& row : kDieProcessKeys) {
      if (row.key == segments[0]) {
        key.unit = row.unit;
        key.domain = DomainOf(row.domain);
      }
    }
    if (segments[0] == kStationsKey) {
      key.domain = PhysicalDomain::Positive;
    }
  } else if (segments[0] == "fluid") {
    DescribeFluidKey(key, document, segments);
  } else if (segments[0] == "geometry") {
    DescribeGeometryKey(key, document, segments);
  }
  return key;
}

// The numbers under `value` at `path`, depth first in document order.
void CollectNumbers(const nlohmann::json& document, const nlohmann::json& value,
                    const std::string& path, std::vector<DieNumberKey>& keys) {
  if (value.is_object()) {
    for (const auto& [name, member] : value.items()) {
      if (!(path.empty() && name == kStationsKey)) {
        CollectNumbers(document, member, path.empty() ? name : path + "." + name, keys);
      }
    }
  } else if (value.is_array()) {
    // A table's rows are [x, value] pairs; the positions stay where they are.
    const bool tableRow = value.size() == 2 && value[0].is_number() && value[1].is_number();
    for (std::size_t index = 0; index < value.size(); ++index) {
      if (!(tableRow && index == 0)) {
        CollectNumbers(document, value[index], path + "." + std::to_string(index), keys);
      }
    }
  } else if (IsDocumentNumber(value)) {
    keys.push_back(Describe(document, path, value.get<double>()));
  }
}

}  // namespace

nlohmann::json::json_pointer DieKeyPointer(std::string_view path) {
  nlohmann::json::json_pointer pointer;
  for (const std::string& segment : SegmentsOf(path)) {
    pointer /= segment;
  }
  return pointer;
}

DieNumberKey FindDieNumberKey(const nlohmann::json& document, std::string_view path) {
  const std::string named(ShortText(path));
  const nlohmann::json* value = nullptr;
  try {
    const nlohmann::json::json_pointer pointer = DieKeyPointer(path);
    if (!path.empty() && document.contains(pointer)) {
      value = &document.at(pointer);
    }
  } catch (const nlohmann::json::exception&) {
    // An index that is no index ("geometry.radius.01") names no key.
  }
  if (value == nullptr) {
    throw DocumentError(named + ": the die document has no such key");
  }
  if (!IsDocumentNumber(*value)) {
    throw DocumentError(named + ": is not a number in the die document");
  }
  return Describe(document, std::string(path), value->get<double>());
}

std::vector<DieNumberKey> DesignableDieNumbers(const nlohmann::json& document) {
  std::vector<DieNumberKey> keys;
  CollectNumbers(document, document, "", keys);
  return keys;
}

}  // namespace fluxeta::cases
