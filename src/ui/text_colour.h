// The colour a widget draws its text in, whatever role its style takes it from.
#pragma once

#include <QColor>
#include <QWidget>

namespace fluxeta::ui {

void SetTextColour(QWidget& widget, const QColor& colour);

}  // namespace fluxeta::ui
