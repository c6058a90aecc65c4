// A presenter that remembers what the program would have shown, and answers its questions
// from what the test queued, so that no test ever waits on a modal box.
#pragma once

#include <QStringList>

#include <deque>

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
  UnsavedChoice AskAboutUnsavedChanges(const QString& text) override {
    questions.append(text);
    return Next(unsavedChoices, UnsavedChoice::Cancel);
  }
  // Answers with the next of `savePaths` (an empty text cancels), the chosen filter being
  // the one whose pattern names the answer's suffix, else the first.
  QString ChooseFileToSave(const QString& caption, const QString& suggestedPath,
                           const QStringList& filters, QString* chosenFilter) override {
    saveCaptions.append(caption);
    suggestedPaths.append(suggestedPath);
    offeredFilters.append(filters.join(QStringLiteral(";;")));
    const QString path = Next(savePaths, QString());
    if (chosenFilter != nullptr && !filters.isEmpty()) {
      *chosenFilter = Next(chosenFilters, filters.first());
    }
    return path;
  }
  QString ChooseFileToOpen(const QString& caption, const QString& /*directory*/,
                           const QStringList& /*filters*/) override {
    openCaptions.append(caption);
    return Next(openPaths, QString());
  }
  std::optional<QSize> ChoosePictureSize(const QString& /*caption*/, QSize suggested) override {
    suggestedSizes.append(suggested);
    return Next(pictureSizes, std::optional<QSize>());
  }

  void Clear() {
    messages.clear();
    errors.clear();
    completions = 0;
    shownFolders.clear();
    questions.clear();
  }

  QStringList messages;
  QStringList errors;
  int completions = 0;
  QStringList shownFolders;
  bool folderShown = true;  // what ShowFolder answers
  QStringList questions;
  QStringList saveCaptions;
  QStringList suggestedPaths;
  QStringList offeredFilters;
  QStringList openCaptions;
  QList<QSize> suggestedSizes;

  // The answers, taken from the front; once they run out, the user cancels.
  std::deque<UnsavedChoice> unsavedChoices;
  std::deque<QString> savePaths;
  std::deque<QString> chosenFilters;
  std::deque<QString> openPaths;
  std::deque<std::optional<QSize>> pictureSizes;

 private:
  template <typename Answer>
  static Answer Next(std::deque<Answer>& answers, Answer cancel) {
    if (answers.empty()) {
      return cancel;
    }
    Answer answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace fluxeta::ui::testing
