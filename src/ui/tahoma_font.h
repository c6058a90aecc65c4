// The windows' typeface, "Tahoma", at the pixel sizes of the layout.
#pragma once

#include <QFont>

namespace fluxeta::ui {

// Makes "Tahoma" known to the application: where the system has no font of that family,
// the Tahoma-compatible fonts of the Wine package are loaded when present.
void EnsureTahomaFont();

QFont TahomaFont(int pixelSize);

// The pixel sizes the windows use: 8, 10 and 11 point at 96 dots per inch.
inline constexpr int kSmallFontPixels = 11;
inline constexpr int kMediumFontPixels = 13;
inline constexpr int kLargeFontPixels = 15;

}  // namespace fluxeta::ui
