// The width a single-line box has for its text, in pixels: what it shows without scrolling.
#pragma once

#include <QLineEdit>

namespace fluxeta::ui {

int TextRoom(const QLineEdit& edit);

}  // namespace fluxeta::ui
