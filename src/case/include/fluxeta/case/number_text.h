// Number texts of the edit boxes and of the result file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fluxeta::cases {

// The decimal separator of the user's locale (LC_ALL, LC_NUMERIC, LANG), a point where
// the locale gives none or gives one of more than one byte.
char LocaleDecimalSeparator();

// The separator of numbers written for other programs (studies, JSON, CSV).
inline constexpr char kPointSeparator = '.';

// Reads an edit box text: blanks (spaces only) around an optionally signed decimal
// mantissa with an optional exponent. The value is rounded to a 64-bit significand;
// storing it into a double may still overflow (StoreAsDouble).
// Raises ConversionError for a text that is not a number.
long double ParseNumber(std::string_view text, char separator);

enum class NumberFormat { General, Fixed };

// Writes a value with at most `precision` significant digits (2..18); `digits` is the
// count of decimals in the fixed format and the least exponent digits in the general one.
std::string FormatNumber(double value, NumberFormat format, int precision, int digits,
                         char separator);

// How one number is printed: format, precision (significant digits) and digits.
struct NumberStyle {
  NumberFormat format;
  int precision;
  int digits;
};
std::string FormatNumber(double value, NumberStyle style, char separator);

// Reads a finite number written with a point, as other programs write it: an optional
// sign, the digits and an optional exponent, nothing around them. nullopt for anything
// else, also for a value beyond the double range.
std::optional<double> ReadPointNumber(std::string_view text);

// The shortest text that reads back to the same double, with a point: numbers for other
// programs to read.
std::string ShortestText(double value);

// Puts blanks in front of a text shorter than `width`; a longer text is returned whole.
std::string PadLeft(std::string_view text, std::size_t width);

}  // namespace fluxeta::cases
