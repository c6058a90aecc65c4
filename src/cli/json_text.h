// The one writer of the JSON that fluxeta-batch prints, from nlohmann-json values.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

namespace fluxeta::cli {

enum class JsonLayout {
  // Every non-empty object and array one member a line, indented by two spaces.
  Indented,
  // As Indented, but an object or array that holds no object or array stays on one line,
  // members separated by ", ": a table of quantities and stations that reads line by line.
  LeavesInline,
};

// The text of `value`, without a final line end. A number that is not finite is null (JSON
// has none); in the LeavesInline layout a double is written in its shortest round-trip form.
std::string JsonText(const nlohmann::ordered_json& value, JsonLayout layout);

}  // namespace fluxeta::cli
