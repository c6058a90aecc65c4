#include "message_boxes.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace fluxeta::ui {

namespace {

void ShowBox(QMessageBox::Icon icon, const QString& text) {
  QMessageBox box(icon, QCoreApplication::applicationName(), text, QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Ok);
  box.setEscapeButton(QMessageBox::Ok);
  box.exec();
}

}  // namespace

void ShowPlainMessageBox(const QString& text) {
  ShowBox(QMessageBox::NoIcon, text);
}

void ShowErrorBox(const QString& text) {
  ShowBox(QMessageBox::Critical, text);
}

UnsavedChoice AskSaveDiscardOrCancel(const QString& text) {
  QMessageBox box(QMessageBox::Question, QCoreApplication::applicationName(), text,
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return UnsavedChoice::Save;
    case QMessageBox::Discard:
      return UnsavedChoice::Discard;
    default:
      return UnsavedChoice::Cancel;
  }
}

}  // namespace fluxeta::ui
