#include "project_file.h"

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "project_values.h"

namespace fluxeta::ui {

using cases::DocumentError;

namespace {
constexpr char kFormatKey[] = "format";
constexpr char kVersionKey[] = "version";
constexpr int kIndent = 2;
}  // namespace

std::string ProjectText(const std::vector<ProjectPart*>& parts) {
  // The format first, then the sections in the window's order, each with its keys sorted.
  nlohmann::ordered_json project = nlohmann::ordered_json::object();
  project[kFormatKey] = kProjectFormat;
  project[kVersionKey] = kProjectVersion;
  for (const ProjectPart* part : parts) {
    project[part->ProjectKey()] = nlohmann::ordered_json(part->SaveProject());
  }
  return project.dump(kIndent) + "\n";
}

std::function<void()> ReadProjectText(std::string_view text,
                                      const std::vector<ProjectPart*>& parts) {
  const nlohmann::json project = nlohmann::json::parse(text, nullptr, false);
  if (project.is_discarded()) {
    throw DocumentError("the file is not JSON (it may be damaged or cut short)");
  }
  if (!project.is_object() || !project.contains(kFormatKey) ||
      project[kFormatKey] != kProjectFormat) {
    throw DocumentError(std::string("the file is not a Fluxeta project (it has no \"") +
                        kFormatKey + "\": \"" + kProjectFormat + "\")");
  }
  const nlohmann::json& version = cases::RequireMember(project, kVersionKey, "");
  if (!version.is_number_integer() || version.get<long long>() < 1) {
    throw DocumentError(std::string(kVersionKey) + ": must be a whole number from 1");
  }
  if (version.get<long long>() > kProjectVersion) {
    throw DocumentError("the project was written by a newer Fluxeta (project version " +
                        std::to_string(version.get<long long>()) + "); this one reads version " +
                        std::to_string(kProjectVersion) + " and older");
  }
  std::vector<std::string> partKeys;
  std::vector<std::function<void()>> setters;
  for (ProjectPart* part : parts) {
    const std::string key = part->ProjectKey();
    partKeys.push_back(key);
    if (const nlohmann::json* section = FindMember(project, key)) {
      setters.push_back(part->ReadProject(*section, key));
    } else {
      setters.push_back([part] { part->ClearProject(); });
    }
  }
  std::vector<std::string_view> keys = {kFormatKey, kVersionKey};
  keys.insert(keys.end(), partKeys.begin(), partKeys.end());
  cases::RefuseUnknownKeys(project, keys, "");
  return [setters] {
    for (const auto& set : setters) {
      set();
    }
  };
}

}  // namespace fluxeta::ui
