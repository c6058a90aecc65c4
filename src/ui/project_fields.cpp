#include "project_fields.h"

#include <cmath>

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "locale_number_text.h"
#include "project_values.h"

namespace fluxeta::ui {

using cases::DocumentError;

namespace {

// The key a choice is kept by: the item's data where it is a text, else its caption.
QString ChoiceKey(const QComboBox& combo, int index) {
  const QVariant data = combo.itemData(index);
  return data.typeId() == QMetaType::QString ? data.toString() : combo.itemText(index);
}

}  // namespace

ProjectField ProjectField::Box(std::string key, QLineEdit& edit, char separator) {
  ProjectField field;
  field.key_ = std::move(key);
  field.save_ = [&edit, separator]() -> nlohmann::json {
    const auto value = NumberOfText(edit.text(), separator);
    if (value && std::isfinite(*value)) {
      return *value;
    }
    return edit.text().toStdString();
  };
  field.read_ = [&edit, separator](const nlohmann::json& value,
                                   const std::string& path) -> std::function<void()> {
    QString text;
    if (value.is_string()) {
      text = QString::fromStdString(value.get<std::string>());
    } else if (cases::IsDocumentNumber(value)) {
      text = NumberText(value.get<double>(), separator);
    } else {
      throw DocumentError(path + ": must be a number or a text");
    }
    return [&edit, text] { edit.setText(text); };
  };
  field.watch_ = [&edit](const std::function<void()>& changed) {
    QObject::connect(&edit, &QLineEdit::textChanged, &edit, changed);
  };
  return field;
}

ProjectField ProjectField::Choice(std::string key, QComboBox& combo) {
  ProjectField field;
  field.key_ = std::move(key);
  field.save_ = [&combo]() -> nlohmann::json {
    return ChoiceKey(combo, combo.currentIndex()).toStdString();
  };
  field.read_ = [&combo](const nlohmann::json& value,
                         const std::string& path) -> std::function<void()> {
    QStringList keys;
    for (int index = 0; index < combo.count(); ++index) {
      keys.append(QStringLiteral("'%1'").arg(ChoiceKey(combo, index)));
    }
    const auto refuse = [&] {
      throw DocumentError(path + ": must be one of " +
                          keys.join(QStringLiteral(", ")).toStdString());
    };
    if (!value.is_string()) {
      refuse();
    }
    const QString wanted = QString::fromStdString(value.get<std::string>());
    for (int index = 0; index < combo.count(); ++index) {
      if (ChoiceKey(combo, index) == wanted) {
        return [&combo, index] { combo.setCurrentIndex(index); };
      }
    }
    refuse();
    return {};
  };
  field.watch_ = [&combo](const std::function<void()>& changed) {
    QObject::connect(&combo, &QComboBox::currentIndexChanged, &combo, changed);
  };
  return field;
}

ProjectField ProjectField::Count(std::string key, QSpinBox& spin) {
  ProjectField field;
  field.key_ = std::move(key);
  field.save_ = [&spin]() -> nlohmann::json { return spin.value(); };
  field.read_ = [&spin](const nlohmann::json& value,
                        const std::string& path) -> std::function<void()> {
    if (!value.is_number_integer() || value.get<long long>() < spin.minimum() ||
        value.get<long long>() > spin.maximum()) {
      throw DocumentError(path + ": must be a whole number from " + std::to_string(spin.minimum()) +
                          " to " + std::to_string(spin.maximum()));
    }
    const int count = value.get<int>();
    return [&spin, count] { spin.setValue(count); };
  };
  field.watch_ = [&spin](const std::function<void()>& changed) {
    QObject::connect(&spin, &QSpinBox::valueChanged, &spin, changed);
  };
  return field;
}

ProjectField ProjectField::Tick(std::string key, QCheckBox& check) {
  ProjectField field;
  field.key_ = std::move(key);
  field.save_ = [&check]() -> nlohmann::json { return check.isChecked(); };
  field.read_ = [&check](const nlohmann::json& value,
                         const std::string& path) -> std::function<void()> {
    if (!value.is_boolean()) {
      throw DocumentError(path + ": must be true or false");
    }
    const bool ticked = value.get<bool>();
    return [&check, ticked] { check.setChecked(ticked); };
  };
  field.watch_ = [&check](const std::function<void()>& changed) {
    QObject::connect(&check, &QCheckBox::toggled, &check, changed);
  };
  return field;
}

ProjectField ProjectField::Group(std::string key, std::vector<ProjectField> fields) {
  ProjectField field;
  field.key_ = std::move(key);
  auto members = std::make_shared<const std::vector<ProjectField>>(std::move(fields));
  field.save_ = [members]() -> nlohmann::json {
    nlohmann::json object = nlohmann::json::object();
    for (const ProjectField& member : *members) {
      object[member.Key()] = member.Save();
    }
    return object;
  };
  field.read_ = [members](const nlohmann::json& value,
                          const std::string& path) -> std::function<void()> {
    cases::RequireObject(value, path);
    std::vector<std::string_view> keys;
    std::vector<std::function<void()>> setters;
    for (const ProjectField& member : *members) {
      keys.push_back(member.Key());
      setters.push_back(member.Read(cases::RequireMember(value, member.Key(), path),
                                    MemberPath(path, member.Key())));
    }
    cases::RefuseUnknownKeys(value, keys, path);
    return [setters] {
      for (const auto& set : setters) {
        set();
      }
    };
  };
  field.watch_ = [members](const std::function<void()>& changed) {
    for (const ProjectField& member : *members) {
      member.Watch(changed);
    }
  };
  return field;
}

FieldsSection::FieldsSection(std::string key, std::vector<ProjectField> fields)
    : key_(key), group_(ProjectField::Group(std::move(key), std::move(fields))) {
  first_ = group_.Save();
}

void FieldsSection::ClearProject() {
  group_.Read(first_, key_)();
}

}  // namespace fluxeta::ui
