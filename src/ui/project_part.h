// A part of the workbench that a project file keeps: the case panel and each tab. A part
// writes its state as one section of the project (project_file.h) and reads it back. Adding
// a tab to the project is a part: a key, a writer, a reader, and registering it with
// Workbench::AddProjectPart. Most tabs describe their state as fields bound to their controls
// (project_fields.h).
#pragma once

#include <functional>
#include <string>

#include <nlohmann/json.hpp>

namespace fluxeta::ui {

class ProjectPart {
 public:
  virtual ~ProjectPart() = default;

  // The key of the part's section in the project file: "case", "study", …
  virtual std::string ProjectKey() const = 0;
  // The part's state as its section.
  virtual nlohmann::json SaveProject() const = 0;
  // Reads a section written by SaveProject (at `path` in the file, for messages) and returns
  // what puts it in place. Raises cases::DocumentError naming the key at fault and changes
  // nothing: a project is put in place only once every part has read its section.
  virtual std::function<void()> ReadProject(const nlohmann::json& section,
                                            const std::string& path) = 0;
  // The part as a new project finds it, for a file without its section.
  virtual void ClearProject() = 0;
  // Calls `changed` after every change of what SaveProject writes, so that the window can
  // mark its project modified.
  virtual void WatchProject(const std::function<void()>& changed) = 0;
};

}  // namespace fluxeta::ui
