// fluxeta: the desktop program.
#include <QString>

#include <iostream>

#include "fluxeta_application.h"
#include "program_windows.h"
#include "start_up.h"

int main(int argc, char* argv[]) {
  if (!fluxeta::ui::DisplayAvailable()) {
    std::cerr << fluxeta::ui::NoDisplayMessage(QString::fromLocal8Bit(argv[0])).toStdString();
    return 1;
  }
  fluxeta::ui::FluxetaApplication application(argc, argv);
  fluxeta::ui::InitialiseApplication();
  const fluxeta::ui::StartOptions options =
      fluxeta::ui::ParseStartOptions(fluxeta::ui::FluxetaApplication::arguments());
  fluxeta::ui::ProgramWindows windows;
  windows.ShowMainWindow();
  if (options.openWorkbench) {
    windows.Form1().OpenWorkbench();
  }
  return application.exec();
}
