#include "window_placement.h"

#include <algorithm>

namespace fluxeta::ui {

namespace {
// Pixels between the two windows, so that their frames do not touch.
constexpr int kGap = 8;

// The first coordinate from which an extent of `size` stays inside [low, high]; `low` when
// it cannot fit at all, so that the window's title bar stays reachable.
int ClampInto(int wanted, int size, int low, int high) {
  return std::max(low, std::min(wanted, high + 1 - size));
}
}  // namespace

QPoint PlacementBeside(const QRect& anchorFrame, const QSize& frameSize, const QRect& available) {
  const int rightOfAnchor = anchorFrame.right() + 1 + kGap;
  const int leftOfAnchor = anchorFrame.left() - kGap - frameSize.width();
  int left;
  if (rightOfAnchor + frameSize.width() - 1 <= available.right()) {
    left = rightOfAnchor;
  } else if (leftOfAnchor >= available.left()) {
    left = leftOfAnchor;
  } else {
    left = ClampInto(available.right() + 1 - frameSize.width(), frameSize.width(), available.left(),
                     available.right());
  }
  const int top =
      ClampInto(anchorFrame.top(), frameSize.height(), available.top(), available.bottom());
  return {left, top};
}

}  // namespace fluxeta::ui
