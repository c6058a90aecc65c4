#include "dialog_presenter.h"

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

}  // namespace fluxeta::ui
