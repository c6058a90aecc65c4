// A tab's state in a project file as named fields bound to its controls: a box's text (a
// number where it reads as one, else the text as typed), a choice of a list, a count, a
// tick, or a group of fields. A tab describes its state once, as its fields; the section
// writes it, reads it back refusing what the controls cannot take, and returns the tab to
// its first state for a new project.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "project_part.h"

namespace fluxeta::ui {

class ProjectField {
 public:
  // Reads the field's value at `path` and returns what sets it; raises cases::DocumentError.
  using Reader = std::function<std::function<void()>(const nlohmann::json&, const std::string&)>;

  // A box; numbers are read and written with `separator`.
  static ProjectField Box(std::string key, QLineEdit& edit, char separator);
  // One of the list's items, by its data where the items carry texts, else by its text.
  static ProjectField Choice(std::string key, QComboBox& combo);
  static ProjectField Count(std::string key, QSpinBox& spin);
  static ProjectField Tick(std::string key, QCheckBox& check);
  static ProjectField Group(std::string key, std::vector<ProjectField> fields);

  const std::string& Key() const { return key_; }
  nlohmann::json Save() const { return save_(); }
  std::function<void()> Read(const nlohmann::json& value, const std::string& path) const {
    return read_(value, path);
  }
  // Calls `changed` whenever the user or the program changes the field.
  void Watch(const std::function<void()>& changed) const { watch_(changed); }

 private:
  std::string key_;
  std::function<nlohmann::json()> save_;
  Reader read_;
  std::function<void(const std::function<void()>&)> watch_;
};

// A project section of fields, set in their order (a choice before the boxes it fills).
class FieldsSection : public ProjectPart {
 public:
  // The controls' state at construction is the one a new project finds.
  FieldsSection(std::string key, std::vector<ProjectField> fields);

  std::string ProjectKey() const override { return key_; }
  nlohmann::json SaveProject() const override { return group_.Save(); }
  std::function<void()> ReadProject(const nlohmann::json& section,
                                    const std::string& path) override {
    return group_.Read(section, path);
  }
  void ClearProject() override;
  void WatchProject(const std::function<void()>& changed) override { group_.Watch(changed); }

 private:
  std::string key_;
  ProjectField group_;
  nlohmann::json first_;
};

}  // namespace fluxeta::ui
