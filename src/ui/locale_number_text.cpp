#include "locale_number_text.h"

#include <string>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/case/number_text.h"

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
    return base::StoreAsDouble(cases::ParseNumber(text.toStdString(), separator)).value();
  } catch (const base::FluxetaError&) {
    return std::nullopt;
  }
}

}  // namespace fluxeta::ui
