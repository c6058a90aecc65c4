// Everything the program shows modally, and everything it hands to other programs, goes
// through one presenter, so that the windows never open a box of their own and tests can
// stand in for the user.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

namespace fluxeta::ui {

// What to do with work not yet saved.
enum class UnsavedChoice { Save, Discard, Cancel };

class Presenter {
 public:
  virtual ~Presenter() = default;
  // The plain message box: no icon, one OK button; returns when it is closed.
  virtual void ShowMessage(const QString& text) = 0;
  // The error box: stop icon, one OK button; `text` is already the error box text.
  virtual void ShowError(const QString& text) = 0;
  // The completion dialog, modally; returns when it is closed.
  virtual void ShowCompletion() = 0;
  // The folder in the desktop's file manager; false when that could not be started.
  virtual bool ShowFolder(const QString& directory) = 0;

  // The workbench's own questions and choices.
  // Save, discard or keep working on what `text` names.
  virtual UnsavedChoice AskAboutUnsavedChanges(const QString& text) = 0;
  // A file to write, `suggestedPath` offered; `filters` as "PNG pictures (*.png)", the one
  // chosen into `chosenFilter`. Empty when the user cancels.
  virtual QString ChooseFileToSave(const QString& caption, const QString& suggestedPath,
                                   const QStringList& filters, QString* chosenFilter) = 0;
  // An existing file to read, starting in `directory`. Empty when the user cancels.
  virtual QString ChooseFileToOpen(const QString& caption, const QString& directory,
                                   const QStringList& filters) = 0;
  // The size of a picture to write, `suggested` offered; nothing when the user cancels.
  virtual std::optional<QSize> ChoosePictureSize(const QString& caption, QSize suggested) = 0;
};

}  // namespace fluxeta::ui
