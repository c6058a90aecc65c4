// The presenter of the running program: real message boxes and the completion dialog.
#pragma once

#include "finish_form.h"
#include "presenter.h"

namespace fluxeta::ui {

class DialogPresenter : public Presenter {
 public:
  explicit DialogPresenter(TFinishForm& finishForm) : finishForm_(finishForm) {}

  void ShowMessage(const QString& text) override;
  void ShowError(const QString& text) override;
  void ShowCompletion() override;
  bool ShowFolder(const QString& directory) override;
  UnsavedChoice AskAboutUnsavedChanges(const QString& text) override;
  QString ChooseFileToSave(const QString& caption, const QString& suggestedPath,
                           const QStringList& filters, QString* chosenFilter) override;
  QString ChooseFileToOpen(const QString& caption, const QString& directory,
                           const QStringList& filters) override;
  std::optional<QSize> ChoosePictureSize(const QString& caption, QSize suggested) override;

 private:
  TFinishForm& finishForm_;
};

}  // namespace fluxeta::ui
