#include "captioned_group_box.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>

namespace fluxeta::ui {

namespace {
constexpr int kCaptionLeft = 8;     // pixels from the box's left edge
constexpr int kCaptionPadding = 2;  // frame line left clear on either side of the caption
}  // namespace

CaptionedGroupBox::CaptionedGroupBox(const QString& caption, QWidget* parent)
    : QGroupBox(caption, parent) {
  setFocusPolicy(Qt::NoFocus);
}

void CaptionedGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const QRect frame = rect().adjusted(0, metrics.height() / 2, -1, -1);
  // An etched line: a shadow line with a light line one pixel below and to the right.
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRect(frame.adjusted(1, 1, 0, 0));
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(frame.adjusted(0, 0, -1, -1));

  const QRect caption(kCaptionLeft, 0, metrics.horizontalAdvance(title()) + 2 * kCaptionPadding,
                      metrics.height());
  painter.fillRect(caption, palette().color(QPalette::Window));
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(caption, Qt::AlignCenter, title());
}

}  // namespace fluxeta::ui
