// Where a secondary window opens beside the main window.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace fluxeta::ui {

// The top-left corner for a window of outer size `frameSize` next to the window whose outer
// rectangle is `anchorFrame`, on a screen whose usable area is `available`: to its right,
// else to its left, else against the right edge of the screen; top aligned with the
// anchor's top. The window is kept on the screen as far as its size allows.
QPoint PlacementBeside(const QRect& anchorFrame, const QSize& frameSize, const QRect& available);

}  // namespace fluxeta::ui
