#include "number_presentation.h"

#include <array>
#include <charconv>
#include <cmath>

#include "locale_number_text.h"

namespace fluxeta::ui {

namespace {

// A double needs at most 17 significant figures to read back to itself.
constexpr int kMostSignificantFigures = 17;

// `value` with `figures` significant figures in the general format of printf's %g: no
// trailing zeros, an exponent only for very large or small values.
QString SignificantText(double value, int figures, char separator) {
  if (value == 0) {
    return QStringLiteral("0");  // also for −0
  }
  std::array<char, 64> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), value,
                                     std::chars_format::general, figures);
  QString result = QString::fromLatin1(text.data(), written.ptr - text.data());
  result.replace(u'.', QChar::fromLatin1(separator));
  return result;
}

// The decimals written after the separator in a typed number, 0 for none.
int DecimalsOf(const QString& typed, char separator) {
  const QString text = typed.trimmed();
  const qsizetype at = text.indexOf(QChar::fromLatin1(separator));
  if (at < 0) {
    return 0;
  }
  int decimals = 0;
  for (qsizetype k = at + 1; k < text.size() && text[k].isDigit(); ++k) {
    ++decimals;
  }
  return decimals;
}

}  // namespace

QString ScreenNumber(double value, char separator) {
  if (!std::isfinite(value)) {
    return NumberText(value, separator);
  }
  return SignificantText(value, kScreenSignificantFigures, separator);
}

QString ScreenPressure(double pascals, char separator) {
  return ScreenNumber(pascals / kPascalsPerKilopascal, separator) + u' ' + kPressureUnit;
}

QString ComparedNumber(double value, const QString& limitText, char separator) {
  const int limitDecimals = DecimalsOf(limitText, separator);
  if (!std::isfinite(value) || value == 0 || limitDecimals == 0) {
    return ScreenNumber(value, separator);
  }
  // The decimals six significant figures give this value.
  const int magnitude = static_cast<int>(std::floor(std::log10(std::abs(value))));
  const int screenDecimals = kScreenSignificantFigures - 1 - magnitude;
  if (limitDecimals <= screenDecimals) {
    return ScreenNumber(value, separator);
  }
  const int figures = std::min(kMostSignificantFigures, magnitude + 1 + limitDecimals);
  return SignificantText(value, figures, separator);
}

QString ComparedPressure(double pascals, const QString& limitText, char separator) {
  return ComparedNumber(pascals / kPascalsPerKilopascal, limitText, separator) + u' ' +
         kPressureUnit;
}

std::optional<double> PascalsOfKilopascalText(const QString& text, char separator) {
  const auto kilopascals = NumberOfText(text, separator);
  if (!kilopascals) {
    return std::nullopt;
  }
  // Plain decimals are read with the exponent shifted: one rounding, of the value in Pa.
  QString pascals = text.trimmed();
  if (pascals.startsWith(u'+')) {
    pascals.remove(0, 1);
  }
  pascals.replace(QChar::fromLatin1(separator), u'.');
  const std::string written = pascals.toStdString() + "e3";
  double value = 0;
  const auto read = std::from_chars(written.data(), written.data() + written.size(), value);
  if (read.ec != std::errc() || read.ptr != written.data() + written.size()) {
    return *kilopascals * kPascalsPerKilopascal;  // a text with an exponent of its own
  }
  return value;
}

QString FullNumber(double value, char separator) {
  return NumberText(value, separator);
}

QString FullPressure(double pascals, char separator) {
  return FullNumber(pascals, separator) + QStringLiteral(" Pa");
}

FittedNumber FittingNumber(double value, char separator, const QFontMetrics& metrics, int room) {
  const QString full = FullNumber(value, separator);
  if (metrics.horizontalAdvance(full) <= room || !std::isfinite(value)) {
    return {full, false};
  }
  for (int figures = kMostSignificantFigures - 1; figures > 1; --figures) {
    const QString rounded = SignificantText(value, figures, separator);
    if (metrics.horizontalAdvance(rounded) <= room) {
      return {rounded, NumberOfText(rounded, separator) != value};
    }
  }
  const QString one = SignificantText(value, 1, separator);
  return {one, NumberOfText(one, separator) != value};
}

}  // namespace fluxeta::ui
