// The core's texts (UTF-8 in std::string_view, which need not end in a NUL) as Qt texts.
#pragma once

#include <QString>

#include <string_view>

namespace fluxeta::ui {

inline QString Utf8Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace fluxeta::ui
