#include "dialog_presenter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

#include "message_boxes.h"
#include "picture_size_dialog.h"

namespace fluxeta::ui {

namespace {
const QString kFilterSeparator = QStringLiteral(";;");

// The workbench's dialogs open over the window in front, which is the one asking.
QWidget* AskingWindow() {
  return QApplication::activeWindow();
}
}  // namespace

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

UnsavedChoice DialogPresenter::AskAboutUnsavedChanges(const QString& text) {
  return AskSaveDiscardOrCancel(text);
}

QString DialogPresenter::ChooseFileToSave(const QString& caption, const QString& suggestedPath,
                                          const QStringList& filters, QString* chosenFilter) {
  return QFileDialog::getSaveFileName(AskingWindow(), caption, suggestedPath,
                                      filters.join(kFilterSeparator), chosenFilter);
}

QString DialogPresenter::ChooseFileToOpen(const QString& caption, const QString& directory,
                                          const QStringList& filters) {
  return QFileDialog::getOpenFileName(AskingWindow(), caption, directory,
                                      filters.join(kFilterSeparator));
}

std::optional<QSize> DialogPresenter::ChoosePictureSize(const QString& caption, QSize suggested) {
  return AskPictureSize(AskingWindow(), caption, suggested);
}

}  // namespace fluxeta::ui
