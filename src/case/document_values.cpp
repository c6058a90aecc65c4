#include "fluxeta/case/document_values.h"

#include <algorithm>
#include <cmath>

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::cases {

namespace {

std::string MemberPath(const std::string& path, std::string_view key) {
  return path.empty() ? std::string(key) : path + "." + std::string(key);
}

std::string KindOf(const nlohmann::json& value) {
  if (value.is_boolean()) {
    return "a boolean";
  }
  if (value.is_number()) {
    return "a number";
  }
  if (value.is_string()) {
    return "a text";
  }
  if (value.is_array()) {
    return "a list";
  }
  if (value.is_object()) {
    return "an object";
  }
  return "null";
}

}  // namespace

void RequireObject(const nlohmann::json& value, const std::string& path) {
  if (!value.is_object()) {
    throw DocumentError((path.empty() ? std::string("the document") : path) +
                        ": must be an object, not " + KindOf(value));
  }
}

bool IsDocumentNumber(const nlohmann::json& value) {
  return value.is_number() && std::isfinite(value.get<double>());
}

const nlohmann::json& RequireMember(const nlohmann::json& object, std::string_view key,
                                    const std::string& path) {
  RequireObject(object, path);
  const auto member = object.find(std::string(key));
  if (member == object.end()) {
    throw DocumentError(MemberPath(path, key) + ": missing");
  }
  return *member;
}

double RequireNumber(const nlohmann::json& object, std::string_view key, const std::string& path) {
  const nlohmann::json& member = RequireMember(object, key, path);
  if (!member.is_number()) {
    throw DocumentError(MemberPath(path, key) + ": must be a number, not " + KindOf(member));
  }
  const double value = member.get<double>();
  if (!std::isfinite(value)) {
    throw DocumentError(MemberPath(path, key) + ": must be a finite number");
  }
  return value;
}

std::string RequireText(const nlohmann::json& object, std::string_view key,
                        const std::string& path) {
  const nlohmann::json& member = RequireMember(object, key, path);
  if (!member.is_string()) {
    throw DocumentError(MemberPath(path, key) + ": must be a text, not " + KindOf(member));
  }
  return member.get<std::string>();
}

void RefuseUnknownKeys(const nlohmann::json& object, const std::vector<std::string_view>& known,
                       const std::string& path) {
  for (const auto& [key, value] : object.items()) {
    if (std::find(known.begin(), known.end(), key) == known.end()) {
      throw DocumentError(MemberPath(path, ShortText(key)) + ": unknown key");
    }
  }
}

std::string NumberText(double value) {
  return ShortestText(value);
}

std::string ShortText(std::string_view text) {
  return base::ShortQuote(text);
}

}  // namespace fluxeta::cases
