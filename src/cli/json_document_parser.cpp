#include "json_document_parser.h"

namespace fluxeta::cli {

namespace {

using Event = nlohmann::json::parse_event_t;

// The library's reason without its "[json.exception.parse_error.101] " before it.
std::string_view Reason(const nlohmann::json::exception& error) {
  std::string_view reason = error.what();
  if (const auto end = reason.find("] "); reason.starts_with('[') && end != reason.npos) {
    reason.remove_prefix(end + 2);
  }
  return reason;
}

}  // namespace

bool JsonValuePath::Follow(Event event, const nlohmann::json& parsed) {
  switch (event) {
    case Event::object_start:
    case Event::array_start:
      levels_.push_back({event == Event::array_start, {}, 0});
      break;
    case Event::key:
      levels_.back().key = parsed.get<std::string>();
      break;
    case Event::object_end:
    case Event::array_end:
      levels_.pop_back();
      [[fallthrough]];
    case Event::value:
      if (!levels_.empty() && levels_.back().array) {
        ++levels_.back().finished;
      }
      break;
  }
  return true;
}

std::string JsonValuePath::Text() const {
  std::string text;
  for (const Level& level : levels_) {
    if (level.array) {
      text += "[" + std::to_string(level.finished) + "]";
    } else {
      text += (text.empty() ? "" : ".") + level.key;
    }
  }
  return text;
}

std::variant<nlohmann::json, std::string> ParseJsonDocument(std::string_view text) {
  JsonValuePath path;
  try {
    return nlohmann::json::parse(text, [&path](int, Event event, nlohmann::json& parsed) {
      return path.Follow(event, parsed);
    });
  } catch (const nlohmann::json::out_of_range& error) {
    const std::string where = path.Text();
    return (where.empty() ? "not JSON" : where) + ": " + std::string(Reason(error));
  } catch (const nlohmann::json::exception& error) {
    return "not JSON: " + std::string(Reason(error));
  }
}

}  // namespace fluxeta::cli
