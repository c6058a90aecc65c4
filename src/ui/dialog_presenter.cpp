#include "dialog_presenter.h"

#include <QDesktopServices>
#include <QUrl>

#include "message_boxes.h"

namespace fluxeta::ui {

void DialogPresenter::ShowMessage(const QString& text) {
  ShowPlainMessageBox(text);
}

void DialogPresenter::ShowError(const QString& text) {
  ShowErrorBox(text);
}

void DialogPresenter::ShowCompletion() {
  finishForm_.ShowModally();
}

bool DialogPresenter::ShowFolder(const QString& directory) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(directory));
}

}  // namespace fluxeta::ui
