// The application title: the caption of every message box and the name under which the
// desktop lists the running program.
#pragma once

#include <QString>

namespace fluxeta::ui {

// The program file's name without its directory and without everything from its first
// "." on, the first character in upper case and every other in lower case, so that the
// program file "fluxeta" is titled "Fluxeta" like its desktop entry.
QString ApplicationTitle(const QString& programPath);

}  // namespace fluxeta::ui
