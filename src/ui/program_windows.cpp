#include "program_windows.h"

#include <QScreen>

namespace fluxeta::ui {

ProgramWindows::ProgramWindows() : presenter_(finishForm_), form1_(presenter_) {}

void ProgramWindows::ShowMainWindow() {
  if (const QScreen* screen = form1_.screen()) {
    form1_.move(screen->availableGeometry().center() - form1_.rect().center());
  }
  form1_.show();
  form1_.activateWindow();
}

}  // namespace fluxeta::ui
