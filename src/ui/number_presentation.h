// How the workbench writes a number, in one place: six significant figures on screen,
// pressures in kPa, a figure that is compared with a limit to the limit's precision, and the
// full value (the shortest text that reads back to the same double) in tooltips, copies and
// exports. Numbers are written with the decimal separator of the main window's boxes.
#pragma once

#include <QFontMetrics>
#include <QString>

#include <optional>

namespace fluxeta::ui {

inline constexpr int kScreenSignificantFigures = 6;
inline constexpr double kPascalsPerKilopascal = 1e3;
inline const QString kPressureUnit = QStringLiteral("kPa");

// A figure on screen: six significant figures, no trailing zeros ("0.911563", "173.422").
QString ScreenNumber(double value, char separator);
// A pressure given in Pa on screen, in kPa with its unit: "173.422 kPa".
QString ScreenPressure(double pascals, char separator);
// A figure compared with a limit typed as `limitText`: six significant figures, or more
// where the limit has more decimals, so that the two can be told apart.
QString ComparedNumber(double value, const QString& limitText, char separator);
// The same for a pressure in Pa compared with a limit typed in kPa, with its unit.
QString ComparedPressure(double pascals, const QString& limitText, char separator);

// A pressure typed in kPa, in Pa: the decimal value the text writes, times a thousand, to
// the nearest double ("150.1" gives 150100 exactly). Nothing for a text that is no number.
std::optional<double> PascalsOfKilopascalText(const QString& text, char separator);

// The full value, for tooltips, copies and exports: the shortest text that reads back to
// the same double.
QString FullNumber(double value, char separator);
// "173421.76384095 Pa": the full value of a pressure in Pa, for tooltips.
QString FullPressure(double pascals, char separator);

// A number that must be read whole within `room` pixels of text in `metrics`: the full value
// where it fits, otherwise rounded to the most significant figures that fit (at least one).
struct FittedNumber {
  QString text;
  bool rounded = false;
};
FittedNumber FittingNumber(double value, char separator, const QFontMetrics& metrics, int room);

}  // namespace fluxeta::ui
