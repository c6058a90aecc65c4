#include "bevel_panel.h"

#include <QPainter>
#include <QPalette>

namespace fluxeta::ui {

namespace {

// One bevel along the inside of `frame`: light on the top and left edges for a raised
// one, on the bottom and right edges for a lowered one.
void DrawBevel(QPainter& painter, const QRect& frame, Bevel bevel, const QPalette& palette) {
  if (bevel == Bevel::None) {
    return;
  }
  const QColor light = palette.color(QPalette::Light);
  const QColor shadow = palette.color(QPalette::Dark);
  const QColor& topLeft = bevel == Bevel::Raised ? light : shadow;
  const QColor& bottomRight = bevel == Bevel::Raised ? shadow : light;
  painter.setPen(topLeft);
  painter.drawLine(frame.topLeft(), frame.topRight());
  painter.drawLine(frame.topLeft(), frame.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(frame.bottomLeft(), frame.bottomRight());
  painter.drawLine(frame.topRight(), frame.bottomRight());
}

}  // namespace

BevelPanel::BevelPanel(Bevel outer, Bevel inner, QWidget* parent)
    : QWidget(parent), outer_(outer), inner_(inner) {
  setFocusPolicy(Qt::NoFocus);
}

void BevelPanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect outerFrame = rect();
  DrawBevel(painter, outerFrame, outer_, palette());
  DrawBevel(painter, outerFrame.adjusted(1, 1, -1, -1), inner_, palette());
}

}  // namespace fluxeta::ui
