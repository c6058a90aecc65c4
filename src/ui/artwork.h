// The program's own pictures: the application icon and the button glyphs.
#pragma once

#include <QIcon>

namespace fluxeta::ui {

// The 32 × 32 application icon, also carried by both windows.
QIcon ApplicationIcon();
// The green check mark of the OK buttons.
QIcon OkGlyph();
// The open door of the close button.
QIcon CloseGlyph();

inline constexpr int kGlyphSize = 18;  // pixels, both glyphs
inline constexpr int kIconSize = 32;   // pixels

}  // namespace fluxeta::ui
