#include "document_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "fluxeta/base/quoted_text.h"
#include "json_document_parser.h"

namespace fluxeta::cli {

std::optional<std::string> ReadDocumentFileText(const std::string& path, std::string_view kind,
                                                std::ostream& err) {
  const std::string named =
      "fluxeta-batch: " + std::string(kind) + " '" + base::ShortQuote(path) + "': ";
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    err << named << std::strerror(errno) << '\n';
    return std::nullopt;
  }
  std::string text;
  char block[4096];
  while (file.read(block, sizeof block) || file.gcount() > 0) {
    text.append(block, static_cast<std::size_t>(file.gcount()));
    if (text.size() > kMostDocumentBytes) {
      err << named << "more than " << kMostDocumentBytes << " bytes\n";
      return std::nullopt;
    }
  }
  if (file.bad()) {
    err << named << std::strerror(errno) << '\n';
    return std::nullopt;
  }
  return text;
}

std::optional<nlohmann::json> ReadJsonDocumentFile(const std::string& path, std::string_view kind,
                                                   std::ostream& err) {
  const std::optional<std::string> text = ReadDocumentFileText(path, kind, err);
  if (!text) {
    return std::nullopt;
  }
  const std::string named =
      "fluxeta-batch: " + std::string(kind) + " '" + base::ShortQuote(path) + "': ";
  auto parsed = ParseJsonDocument(*text);
  if (const std::string* refusal = std::get_if<std::string>(&parsed)) {
    err << named << *refusal << '\n';
    return std::nullopt;
  }
  return std::get<nlohmann::json>(std::move(parsed));
}

}  // namespace fluxeta::cli
