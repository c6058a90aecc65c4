// A tab's contents in a frameless scroll area: a tab asks the workbench for no more than
// the least size that all its tabs share, and scrolls where its contents need more.
#pragma once

#include <QWidget>

namespace fluxeta::ui {

// Puts `contents` into `page` (which has no layout yet) inside a scroll area.
void PutInScrollArea(QWidget& page, QWidget* contents);

}  // namespace fluxeta::ui
