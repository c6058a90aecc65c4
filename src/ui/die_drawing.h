// The picture of the die on the main window: the tapered cavity along the back, the slot
// in front of it, the flow arrows and the dimensions the case boxes ask for.
#pragma once

#include <QPixmap>

namespace fluxeta::ui {

inline constexpr int kDieDrawingWidth = 408;   // pixels
inline constexpr int kDieDrawingHeight = 203;  // pixels

QPixmap DrawDie();

}  // namespace fluxeta::ui
