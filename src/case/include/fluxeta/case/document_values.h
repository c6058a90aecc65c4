// Reading the values of a JSON document with refusals that name the key by its path.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

namespace fluxeta::cases {

// Raises DocumentError unless `value` is an object.
void RequireObject(const nlohmann::json& value, const std::string& path);

// The member `key` of `object` (at `path`): present, and a finite number (not a boolean), a
// text, or an object. Raises DocumentError naming "path.key".
double RequireNumber(const nlohmann::json& object, std::string_view key, const std::string& path);
std::string RequireText(const nlohmann::json& object, std::string_view key,
                        const std::string& path);
const nlohmann::json& RequireMember(const nlohmann::json& object, std::string_view key,
                                    const std::string& path);

// A finite number that is not a boolean.
bool IsDocumentNumber(const nlohmann::json& value);

// Raises DocumentError for a member of `object` whose key is not in `known`.
void RefuseUnknownKeys(const nlohmann::json& object, const std::vector<std::string_view>& known,
                       const std::string& path);

// A number in its shortest round-trip form, for messages.
std::string NumberText(double value);
// A text shortened for a message (at most a few hundred bytes).
std::string ShortText(std::string_view text);

}  // namespace fluxeta::cases
