// Everything the program shows modally, and everything it hands to other programs, goes
// through one presenter, so that the windows never open a box of their own and tests can
// stand in for the user.
#pragma once

#include <QString>

namespace fluxeta::ui {

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
};

}  // namespace fluxeta::ui
