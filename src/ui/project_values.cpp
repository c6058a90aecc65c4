#include "project_values.h"

#include "fluxeta/case/document_error.h"

namespace fluxeta::ui {

using cases::DocumentError;

std::string MemberPath(const std::string& path, std::string_view key) {
  return path.empty() ? std::string(key) : path + "." + std::string(key);
}

bool RequireBool(const nlohmann::json& object, std::string_view key, const std::string& path) {
  const nlohmann::json& member = cases::RequireMember(object, key, path);
  if (!member.is_boolean()) {
    throw DocumentError(MemberPath(path, key) + ": must be true or false");
  }
  return member.get<bool>();
}

long long RequireInteger(const nlohmann::json& object, std::string_view key,
                         const std::string& path, long long lowest, long long highest) {
  const nlohmann::json& member = cases::RequireMember(object, key, path);
  if (!member.is_number_integer() || member.get<long long>() < lowest ||
      member.get<long long>() > highest) {
    throw DocumentError(MemberPath(path, key) + ": must be a whole number from " +
                        std::to_string(lowest) + " to " + std::to_string(highest));
  }
  return member.get<long long>();
}

const nlohmann::json& RequireArray(const nlohmann::json& object, std::string_view key,
                                   const std::string& path) {
  const nlohmann::json& member = cases::RequireMember(object, key, path);
  if (!member.is_array()) {
    throw DocumentError(MemberPath(path, key) + ": must be a list");
  }
  return member;
}

std::optional<double> OptionalNumber(const nlohmann::json& object, std::string_view key,
                                     const std::string& path) {
  const nlohmann::json& member = cases::RequireMember(object, key, path);
  if (member.is_null()) {
    return std::nullopt;
  }
  return cases::RequireNumber(object, key, path);
}

const nlohmann::json* FindMember(const nlohmann::json& object, std::string_view key) {
  if (!object.is_object()) {
    return nullptr;
  }
  const auto member = object.find(std::string(key));
  return member == object.end() ? nullptr : &*member;
}

nlohmann::json NumberOrNull(const std::optional<double>& value) {
  return value ? nlohmann::json(*value) : nlohmann::json(nullptr);
}

}  // namespace fluxeta::ui
