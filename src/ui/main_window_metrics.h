// The main window's design sizes that resizing works from (pixels at 96 dots per inch).
#pragma once

#include <QRect>
#include <QSize>

namespace fluxeta::ui {

inline constexpr QSize kDesignClientSize{689, 541};
// The right edge of GroupBox2 and the bottom edge of GroupBox3, the farthest edges of the
// controls that keep their place: a smaller client area scrolls.
inline constexpr QSize kScrollingThreshold{673, 529};

// Controls anchored to the right or bottom edge, at the design size.
inline constexpr QRect kGroupBox4DesignGeometry{512, 272, 161, 49};
inline constexpr QRect kEdit15DesignGeometry{24, 20, 113, 21};  // inside GroupBox4
inline constexpr QRect kDirectoryListDesignGeometry{352, 336, 145, 185};
inline constexpr QRect kFileListDesignGeometry{512, 336, 161, 185};

}  // namespace fluxeta::ui
