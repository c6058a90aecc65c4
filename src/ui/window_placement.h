// Where the workbench opens beside the main window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace fluxeta::ui {

struct Placement {
  QRect workbench;                   // the workbench's outer rectangle
  std::optional<QPoint> mainWindow;  // the main window's new outer top-left, when it must move
};

// Places a window of outer size `wanted` (no smaller than `least`) next to the main window
// whose outer rectangle is `mainFrame`, on a screen whose usable area is `available`, so that
// it covers none of the main window:
// 1. in the free space to the right of the main window, else to its left, at the wanted width;
// 2. else in the wider of the two free spaces, narrowed to it, when that holds `least`;
// 3. else the main window moves sideways, as little as it can, to make room beside it;
// 4. else (a screen too narrow for both) against the right edge of the screen, and the
//    main window stays where it is.
// The top is the main window's top, moved up as far as the height needs to stay on the screen;
// the height is cut to the screen's.
Placement PlacementBeside(const QRect& mainFrame, const QSize& wanted, const QSize& least,
                          const QRect& available);

}  // namespace fluxeta::ui
