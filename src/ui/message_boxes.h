// The two kinds of modal box: the plain message box for the program's own messages and
// the error box for errors that escape an event handler. Both are captioned with the
// application title, centred on the screen, and return when closed.
#pragma once

#include <QString>

#include "presenter.h"

namespace fluxeta::ui {

// No icon, one OK button that is both the default and the cancel button.
void ShowPlainMessageBox(const QString& text);
// The stop icon and one OK button; `text` is the error box text already.
void ShowErrorBox(const QString& text);
// The workbench's question about work not yet saved: Save, Discard and Cancel (the default
// and the escape).
UnsavedChoice AskSaveDiscardOrCancel(const QString& text);

}  // namespace fluxeta::ui
