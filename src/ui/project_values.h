// Reading the members of a project file's sections, with refusals that name the key by its
// path, in the manner of the core's die and liquid documents (fluxeta/case/document_values.h).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "fluxeta/case/document_values.h"

namespace fluxeta::ui {

std::string MemberPath(const std::string& path, std::string_view key);
bool RequireBool(const nlohmann::json& object, std::string_view key, const std::string& path);
// A whole number within [lowest, highest].
long long RequireInteger(const nlohmann::json& object, std::string_view key,
                         const std::string& path, long long lowest, long long highest);
const nlohmann::json& RequireArray(const nlohmann::json& object, std::string_view key,
                                   const std::string& path);
// A number, or null for none.
std::optional<double> OptionalNumber(const nlohmann::json& object, std::string_view key,
                                     const std::string& path);
// The member, or nothing when it is missing.
const nlohmann::json* FindMember(const nlohmann::json& object, std::string_view key);

// A figure that may be absent, written as null then.
nlohmann::json NumberOrNull(const std::optional<double>& value);

}  // namespace fluxeta::ui
