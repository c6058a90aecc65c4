#include "modal_watchdog.h"

#include <QApplication>
#include <QDialog>

namespace fluxeta::ui::testing {

namespace {
constexpr int kPollMilliseconds = 30;
// A handler that leaves its modal widget open longer than this has failed to close it.
constexpr qint64 kHandledLimitMilliseconds = 10000;
}  // namespace

ModalWatchdog::ModalWatchdog() {
  timer_.setInterval(kPollMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &ModalWatchdog::Check);
  timer_.start();
}

void ModalWatchdog::ExpectModal(Handler handler) {
  handlers_.push_back(std::move(handler));
}

QStringList ModalWatchdog::TakeFailures() {
  QStringList failures;
  failures.swap(failures_);
  return failures;
}

void ModalWatchdog::Check() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) {
    return;
  }
  if (modal == handled_) {
    if (handledFor_.elapsed() > kHandledLimitMilliseconds) {
      failures_.append(QStringLiteral("a handler left its modal %1 open")
                           .arg(QString::fromLatin1(modal->metaObject()->className())));
      handled_ = nullptr;
      CloseModal(modal);
    }
    return;
  }
  if (handlers_.empty()) {
    failures_.append(
        QStringLiteral("unexpected modal %1 \"%2\"")
            .arg(QString::fromLatin1(modal->metaObject()->className()), modal->windowTitle()));
    CloseModal(modal);
    return;
  }
  const Handler handler = std::move(handlers_.front());
  handlers_.pop_front();
  handled_ = modal;
  handledFor_.start();
  handler(modal);
  // A box that is freed after closing may be followed by another at the same address.
  handled_ = QApplication::activeModalWidget() == modal ? modal : nullptr;
}

void CloseModal(QWidget* modal) {
  if (auto* dialog = qobject_cast<QDialog*>(modal)) {
    dialog->reject();
  } else {
    modal->close();
  }
}

}  // namespace fluxeta::ui::testing
