// Watches for modal widgets while a test runs. Each one that appears is handed to the
// next handler the test queued; one that nobody expected is recorded as a failure and
// closed, so that a test never hangs on a box.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace fluxeta::ui::testing {

class ModalWatchdog : public QObject {
  Q_OBJECT

 public:
  using Handler = std::function<void(QWidget* modal)>;

  ModalWatchdog();

  // The next modal widget goes to `handler`, which must close it.
  void ExpectModal(Handler handler);
  int PendingHandlers() const { return static_cast<int>(handlers_.size()); }
  // The unexpected modal widgets seen so far, cleared by the call.
  QStringList TakeFailures();

 private:
  void Check();

  QTimer timer_;
  std::deque<Handler> handlers_;
  QStringList failures_;
  QWidget* handled_ = nullptr;  // the modal widget last handed over, until it is gone
  QElapsedTimer handledFor_;
};

// Closes a modal dialog as its cancel button or title-bar close box would.
void CloseModal(QWidget* modal);

}  // namespace fluxeta::ui::testing
