// Numbers in the workbench's boxes and tables, written and read with the decimal separator
// of the main window's boxes.
#pragma once

#include <QString>

#include <optional>

namespace fluxeta::ui {

// A number in its shortest form, written with `separator`.
QString NumberText(double value, char separator);
// A number typed with `separator`, as the boxes read it; nothing for another text.
std::optional<double> NumberOfText(const QString& text, char separator);

}  // namespace fluxeta::ui
