// JSON documents named on the command line (an operating point…), read whole.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace fluxeta::cli {

// A document is a few hundred bytes; more than this is a file chosen by mistake.
inline constexpr std::size_t kMostDocumentBytes = 1 << 20;

// The text of the file, or nullopt after saying on `err` why it cannot be read: the file
// named as "`kind` 'path'" with the system's reason, or the size.
std::optional<std::string> ReadDocumentFileText(const std::string& path, std::string_view kind,
                                                std::ostream& err);

// The JSON of the file, or nullopt after saying on `err` why it cannot be read: the file
// named as "`kind` 'path'" with the system's reason, the size, or the parser's message (a
// number beyond a double named by its key).
std::optional<nlohmann::json> ReadJsonDocumentFile(const std::string& path, std::string_view kind,
                                                   std::ostream& err);

}  // namespace fluxeta::cli
