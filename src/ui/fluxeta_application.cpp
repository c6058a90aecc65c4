#include "fluxeta_application.h"

#include "guarded_call.h"
#include "message_boxes.h"

namespace fluxeta::ui {

namespace {

// The error box alone, for errors that escaped a handler's own boundary.
class ErrorBoxPresenter : public Presenter {
 public:
  void ShowMessage(const QString& text) override { ShowPlainMessageBox(text); }
  void ShowError(const QString& text) override { ShowErrorBox(text); }
  void ShowCompletion() override {}
  // Only the windows' own handlers open folders and ask questions, each behind its own
  // boundary.
  bool ShowFolder(const QString& /*directory*/) override { return false; }
  UnsavedChoice AskAboutUnsavedChanges(const QString& /*text*/) override {
    return UnsavedChoice::Cancel;
  }
  QString ChooseFileToSave(const QString&, const QString&, const QStringList&, QString*) override {
    return {};
  }
  QString ChooseFileToOpen(const QString&, const QString&, const QStringList&) override {
    return {};
  }
  std::optional<QSize> ChoosePictureSize(const QString&, QSize) override { return std::nullopt; }
};

}  // namespace

FluxetaApplication::FluxetaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool FluxetaApplication::notify(QObject* receiver, QEvent* event) {
  bool handled = false;
  ErrorBoxPresenter presenter;
  GuardedCall(presenter, [&] { handled = QApplication::notify(receiver, event); });
  return handled;
}

}  // namespace fluxeta::ui
