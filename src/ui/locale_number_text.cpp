#include "locale_number_text.h"

#include <string>

#include "base/checked_real.h"
#include "base/errors.h"
#include "case/number_text.h"

namespace fluxeta::ui {

QString NumberText(double value, char separator) {
  std::string text = cases::ShortestText(value);
  for (char& c : text) {
    if (c == cases::kPointSeparator) {
      c = separator;
    }
  }
  return QString::fromStdString(text);
}

std::optional<double> NumberOfText(const QString& text, char separator) {
  try {
    return cases::StoreAsDouble(cases::ParseNumber(text.toStdString(), separator)).value();
  } catch (const cases::FluxetaError&) {
    return std::nullopt;
  }
}

}  // namespace fluxeta::ui
