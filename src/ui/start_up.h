// What the program does before its windows are created.
#pragma once

#include <QString>

namespace fluxeta::ui {

// The application title from the program file's name, the icon and the windows'
// typeface. Called once, right after the application object is created.
void InitialiseApplication();

// Whether a window can be shown at all: a display, or a platform chosen explicitly.
bool DisplayAvailable();
// What to tell a user who started the program without a display.
QString NoDisplayMessage(const QString& programPath);

}  // namespace fluxeta::ui
