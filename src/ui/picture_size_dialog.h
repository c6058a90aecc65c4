// The size, in pixels, of a picture about to be written.
#pragma once

#include <QSize>
#include <QString>
#include <QWidget>

#include <optional>

namespace fluxeta::ui {

inline constexpr QSize kLeastPictureSize(200, 150);
inline constexpr QSize kLargestPictureSize(8000, 8000);

// A modal dialog offering `suggested`; nothing when cancelled.
std::optional<QSize> AskPictureSize(QWidget* parent, const QString& caption, QSize suggested);

}  // namespace fluxeta::ui
