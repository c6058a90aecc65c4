#include "json_text.h"

#include <cmath>

#include "fluxeta/case/number_text.h"

namespace fluxeta::cli {

namespace {

using nlohmann::ordered_json;

constexpr int kIndentSpaces = 2;

bool HoldsContainers(const ordered_json& value) {
  for (const ordered_json& member : value) {
    if (member.is_structured()) {
      return true;
    }
  }
  return false;
}

void AppendLeaf(std::string& text, const ordered_json& value) {
  if (value.is_number_float()) {
    const double number = value.get<double>();
    text += std::isfinite(number) ? cases::ShortestText(number) : "null";
  } else {
    text += value.dump();
  }
}

void AppendValue(std::string& text, const ordered_json& value, int depth) {
  if (!value.is_structured()) {
    AppendLeaf(text, value);
    return;
  }
  const bool object = value.is_object();
  text += object ? '{' : '[';
  if (value.empty()) {
    text += object ? '}' : ']';
    return;
  }
  const bool expanded = HoldsContainers(value);
  const std::string inner(static_cast<std::size_t>((depth + 1) * kIndentSpaces), ' ');
  bool first = true;
  const auto member = [&](const std::string* key, const ordered_json& element) {
    text += first ? "" : (expanded ? "," : ", ");
    if (expanded) {
      text += '\n';
      text += inner;
    }
    first = false;
    if (key != nullptr) {
      text += ordered_json(*key).dump();
      text += ": ";
    }
    AppendValue(text, element, depth + 1);
  };
  if (object) {
    for (const auto& [key, element] : value.items()) {
      member(&key, element);
    }
  } else {
    for (const ordered_json& element : value) {
      member(nullptr, element);
    }
  }
  if (expanded) {
    text += '\n';
    text.append(static_cast<std::size_t>(depth * kIndentSpaces), ' ');
  }
  text += object ? '}' : ']';
}

}  // namespace

std::string JsonText(const ordered_json& value, JsonLayout layout) {
  if (layout == JsonLayout::Indented) {
    return value.dump(kIndentSpaces);
  }
  std::string text;
  AppendValue(text, value, 0);
  return text;
}

}  // namespace fluxeta::cli
