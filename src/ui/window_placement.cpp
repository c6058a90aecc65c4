#include "window_placement.h"

#include <algorithm>
#include <cstdlib>

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

Placement PlacementBeside(const QRect& mainFrame, const QSize& wanted, const QSize& least,
                          const QRect& available) {
  const int height = std::min(wanted.height(), available.height());
  const int top = ClampInto(mainFrame.top(), height, available.top(), available.bottom());
  const auto beside = [&](int left, int width) { return QRect(left, top, width, height); };

  const int rightOfMain = mainFrame.right() + 1 + kGap;
  const int freeRight = available.right() + 1 - rightOfMain;
  const int freeLeft = mainFrame.left() - kGap - available.left();
  if (freeRight >= wanted.width()) {
    return {beside(rightOfMain, wanted.width()), std::nullopt};
  }
  if (freeLeft >= wanted.width()) {
    return {beside(mainFrame.left() - kGap - wanted.width(), wanted.width()), std::nullopt};
  }
  if (std::max(freeRight, freeLeft) >= least.width()) {
    if (freeRight >= freeLeft) {
      return {beside(rightOfMain, freeRight), std::nullopt};
    }
    return {beside(available.left(), freeLeft), std::nullopt};
  }

  const int room = available.width() - mainFrame.width() - kGap;
  if (room >= least.width()) {
    const int width = std::min(room, wanted.width());
    // Either the main window goes left and the workbench to its right, or the other way round.
    const int mainLeftOfWorkbench = available.right() + 1 - width - kGap - mainFrame.width();
    const int mainRightOfWorkbench = available.left() + width + kGap;
    if (std::abs(mainFrame.left() - mainLeftOfWorkbench) <=
        std::abs(mainRightOfWorkbench - mainFrame.left())) {
      return {beside(mainLeftOfWorkbench + mainFrame.width() + kGap, width),
              QPoint(mainLeftOfWorkbench, mainFrame.top())};
    }
    return {beside(available.left(), width), QPoint(mainRightOfWorkbench, mainFrame.top())};
  }

  const int width = std::min(wanted.width(), available.width());
  return {beside(available.right() + 1 - width, width), std::nullopt};
}

}  // namespace fluxeta::ui
