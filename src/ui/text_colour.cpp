#include "text_colour.h"

#include <QPalette>

namespace fluxeta::ui {

void SetTextColour(QWidget& widget, const QColor& colour) {
  QPalette palette = widget.palette();
  // Labels and group box frames take WindowText, group box titles and edit boxes Text,
  // buttons ButtonText.
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    palette.setColor(QPalette::Active, role, colour);
    palette.setColor(QPalette::Inactive, role, colour);
  }
  widget.setPalette(palette);
}

}  // namespace fluxeta::ui
