// What the program does before its windows are created.
#pragma once

#include <QString>
#include <QStringList>

namespace fluxeta::ui {

// The application title from the program file's name, the icon and the windows'
// typeface. Called once, right after the application object is created.
void InitialiseApplication();

// What the command line asks for beyond the main window.
struct StartOptions {
  bool openWorkbench = false;  // --workbench: the workbench beside the main window
};
// Reads the program's arguments; --help prints the usage and ends the program with status 0,
// an unknown option prints the reason and ends it with status 1.
StartOptions ParseStartOptions(const QStringList& arguments);

// Whether a window can be shown at all: a display, or a platform chosen explicitly.
bool DisplayAvailable();
// What to tell a user who started the program without a display.
QString NoDisplayMessage(const QString& programPath);

}  // namespace fluxeta::ui
