// A presenter that remembers what the program would have shown, so that no test ever
// waits on a modal box.
#pragma once

#include <QStringList>

#include "presenter.h"

namespace fluxeta::ui::testing {

class RecordingPresenter : public Presenter {
 public:
  void ShowMessage(const QString& text) override { messages.append(text); }
  void ShowError(const QString& text) override { errors.append(text); }
  void ShowCompletion() override { ++completions; }
  bool ShowFolder(const QString& directory) override {
    shownFolders.append(directory);
    return folderShown;
  }

  void Clear() {
    messages.clear();
    errors.clear();
    completions = 0;
    shownFolders.clear();
  }

  QStringList messages;
  QStringList errors;
  int completions = 0;
  QStringList shownFolders;
  bool folderShown = true;  // what ShowFolder answers
};

}  // namespace fluxeta::ui::testing
