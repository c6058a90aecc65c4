#include <charconv>
#include <sstream>

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "fluxeta/case/liquid_models.h"
#include "fluxeta/liquids/flow_curve_fit.h"

namespace fluxeta::liquids {

namespace {

constexpr std::array<std::string_view, 3> kColumnNames = {"shear rate", "viscosity", "temperature"};

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::optional<double> Number(const std::string& field) {
  double value = 0;
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::stringstream stream(line);
  std::string field;
  while (std::getline(stream, field, ',')) {
    fields.push_back(Trimmed(field));
  }
  if (!line.empty() && line.back() == ',') {
    fields.emplace_back();
  }
  return fields;
}

}  // namespace

std::vector<FlowCurvePoint> ReadFlowCurveCsv(const std::string& text, const std::string& source) {
  std::vector<FlowCurvePoint> points;
  std::stringstream stream(text);
  std::string line;
  std::size_t columns = 0;
  bool headerAllowed = true;
  for (int number = 1; std::getline(stream, line); ++number) {
    line = Trimmed(line);
    if (line.empty() || line.front() == '#') {
      continue;
    }
    const std::vector<std::string> fields = Fields(line);
    const std::string where = source + ":" + std::to_string(number);
    if (headerAllowed && !Number(fields.front())) {
      headerAllowed = false;  // a line of column names
      columns = fields.size();
      continue;
    }
    headerAllowed = false;
    if (columns == 0) {
      columns = fields.size();
    }
    if (fields.size() != columns || columns < 2 || columns > 3) {
      throw cases::DocumentError(
          where + ": expected " +
          (columns >= 2 && columns <= 3 ? std::to_string(columns) : std::string("2 or 3")) +
          " columns (shear rate 1/s, viscosity Pa.s[, temperature °C]), "
          "found " +
          std::to_string(fields.size()));
    }
    std::array<double, 3> values{};
    for (std::size_t k = 0; k < columns; ++k) {
      const std::optional<double> value = Number(fields[k]);
      if (!value) {
        throw cases::DocumentError(where + ": the " + std::string(kColumnNames[k]) +
                                   " is not a number: \"" + cases::ShortText(fields[k]) + "\"");
      }
      values[k] = *value;
    }
    for (std::size_t k = 0; k < 2; ++k) {
      if (!(values[k] > 0)) {
        throw cases::DocumentError(where + ": the " + std::string(kColumnNames[k]) +
                                   " must be positive, not " + cases::NumberText(values[k]));
      }
    }
    FlowCurvePoint point{values[0], values[1], std::nullopt, number};
    if (columns == 3) {
      if (!(values[2] > cases::kAbsoluteZeroCelsius)) {
        throw cases::DocumentError(where + ": the temperature must be above absolute zero, " +
                                   cases::NumberText(cases::kAbsoluteZeroCelsius) + " °C, not " +
                                   cases::NumberText(values[2]));
      }
      point.temperature = values[2];
    }
    points.push_back(point);
  }
  return points;
}

}  // namespace fluxeta::liquids
