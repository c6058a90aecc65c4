#include "line_edit_room.h"

#include <QStyle>
#include <QStyleOptionFrame>

namespace fluxeta::ui {

namespace {
// A line edit keeps this many pixels free on each side of its text, and the cursor takes
// one more at the end.
constexpr int kHorizontalTextMargin = 2;
constexpr int kCursorWidth = 1;
}  // namespace

int TextRoom(const QLineEdit& edit) {
  QStyleOptionFrame option;
  option.initFrom(&edit);
  option.rect = edit.contentsRect();
  option.lineWidth =
      edit.hasFrame() ? edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &edit) : 0;
  const QRect contents = edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
  const QMargins margins = edit.textMargins();
  return contents.width() - margins.left() - margins.right() - 2 * kHorizontalTextMargin -
         kCursorWidth;
}

}  // namespace fluxeta::ui
