// The JSON of a document named on the command line, parsed so that a value the parser
// itself refuses (a number beyond a double) is named by its key, as the document readers
// name every other fault: "vacuum[1]", "geometry.manifold.radius".
#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include <nlohmann/json.hpp>

namespace fluxeta::cli {

// Where the parser stands in a document, kept up to date by its callback.
class JsonValuePath {
 public:
  // Follows one of the parser's events; the value is always kept.
  bool Follow(nlohmann::json::parse_event_t event, const nlohmann::json& parsed);

  // The path of the value being parsed; empty at the document's top.
  std::string Text() const;

 private:
  struct Level {
    bool array = false;
    std::string key;   // in an object: the key of the value being parsed
    int finished = 0;  // in an array: the elements parsed whole so far
  };
  std::vector<Level> levels_;
};

// The document of `text`, or why it is refused: the parser's reason without its tag
// ("not JSON: parse error at line 1, column 17: …"), or for a number beyond a double its
// key and the parser's words ("vacuum[1]: number overflow parsing '1e700'").
std::variant<nlohmann::json, std::string> ParseJsonDocument(std::string_view text);

}  // namespace fluxeta::cli
