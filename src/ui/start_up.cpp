#include "start_up.h"

#include <QApplication>
#include <QCommandLineOption>
#include <QCommandLineParser>

#include "application_title.h"
#include "artwork.h"
#include "tahoma_font.h"

namespace fluxeta::ui {

void InitialiseApplication() {
  QApplication::setApplicationName(ApplicationTitle(QApplication::applicationFilePath()));
  QApplication::setDesktopFileName(QStringLiteral("org.fluxeta.Fluxeta"));
  QApplication::setWindowIcon(ApplicationIcon());
  EnsureTahomaFont();
}

StartOptions ParseStartOptions(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Flow distribution and entrance pressure of an end-fed slot coating die."));
  parser.addHelpOption();
  const QCommandLineOption workbench(
      QStringLiteral("workbench"),
      QStringLiteral("Open the workbench beside the main window (Ctrl+Shift+B in the window)."));
  parser.addOption(workbench);
  parser.process(arguments);
  return {parser.isSet(workbench)};
}

bool DisplayAvailable() {
  for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    if (!qEnvironmentVariableIsEmpty(variable)) {
      return true;
    }
  }
  return false;
}

QString NoDisplayMessage(const QString& programPath) {
  return QStringLiteral(
             "%1: there is no display to show the window on (none of DISPLAY, "
             "WAYLAND_DISPLAY and QT_QPA_PLATFORM is set).\n"
             "To calculate without a window, use fluxeta-batch.\n"
             "To show the window on a virtual display, start it with xvfb-run, for example:\n"
             "  xvfb-run %1\n")
      .arg(programPath);
}

}  // namespace fluxeta::ui
