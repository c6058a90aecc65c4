// The application object. Every handler of the program catches its own errors; an error
// that still escapes an event's dispatch is shown in the error box here, and the event
// loop goes on.
#pragma once

#include <QApplication>

namespace fluxeta::ui {

class FluxetaApplication : public QApplication {
  Q_OBJECT

 public:
  FluxetaApplication(int& argc, char** argv);

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace fluxeta::ui
