// The application title: the caption of every message box and the name under which the
// desktop lists the running program.
#pragma once

#include <QString>

namespace fluxeta::ui {

// The program file's name without its directory and without everything from its first
// "." on, every character after the first in lower case and the first one unchanged.
QString ApplicationTitle(const QString& programPath);

}  // namespace fluxeta::ui
