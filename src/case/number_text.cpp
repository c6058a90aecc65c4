#include "fluxeta/case/number_text.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

#include "fluxeta/base/errors.h"

namespace fluxeta::cases {

namespace {

constexpr char kPoint = '.';
constexpr char kBlank = ' ';

// No separator chosen yet: the locale's is taken on first use.

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// ---- Reading -------------------------------------------------------------------------

// Exponent digits are taken only while the exponent read so far is below this, so that
// an absurdly long exponent cannot overflow the count: 1e500 is read whole, the last
// digit of 1e5000 is left over.
constexpr int kExponentDigitLimit = 500;

// The number text split into its parts; the value is built from them afterwards.
struct NumberParts {
  bool negative = false;
  std::string mantissaDigits;  // all digits of the mantissa, the separator left out
  long long fractionDigitCount = 0;
  int exponent = 0;
};

// Reads `text` by the number grammar; false where the text is not a number.
bool SplitNumber(std::string_view text, char separator, NumberParts& parts) {
  std::size_t at = 0;
  const auto skipBlanks = [&] {
    while (at < text.size() && text[at] == kBlank) {
      ++at;
    }
  };
  const auto next = [&](char c) { return at < text.size() && text[at] == c; };

  skipBlanks();
  if (next('+') || next('-')) {
    parts.negative = text[at] == '-';
    ++at;
  }

  const std::size_t mantissaStart = at;
  while (at < text.size() && IsDigit(text[at])) {
    parts.mantissaDigits += text[at++];
  }
  if (next(separator)) {
    ++at;
    while (at < text.size() && IsDigit(text[at])) {
      parts.mantissaDigits += text[at++];
      ++parts.fractionDigitCount;
    }
  }
  if (at == mantissaStart) {
    return false;
  }

  if (next('E') || next('e')) {
    ++at;
    bool negativeExponent = false;
    if (next('+') || next('-')) {
      negativeExponent = text[at] == '-';
      ++at;
    }
    while (at < text.size() && IsDigit(text[at]) && parts.exponent < kExponentDigitLimit) {
      parts.exponent = parts.exponent * 10 + (text[at++] - '0');
    }
    if (negativeExponent) {
      parts.exponent = -parts.exponent;
    }
  }

  skipBlanks();
  return at == text.size();
}

// The value of the parts with a 64-bit significand, rounded to nearest; false when it
// lies beyond even that range. A value below the range becomes zero or subnormal.
bool WideValue(const NumberParts& parts, long double& value) {
  if (parts.mantissaDigits.empty()) {  // a lone separator
    value = parts.negative ? -0.0L : 0.0L;
    return true;
  }
  // Written without any separator, so the conversion cannot depend on the C locale.
  std::string plain = parts.negative ? "-" : "";
  plain += parts.mantissaDigits;
  plain += 'e';
  plain += std::to_string(parts.exponent - parts.fractionDigitCount);

  errno = 0;
  value = std::strtold(plain.c_str(), nullptr);
  return !(errno == ERANGE && std::isinf(value));
}

// ---- Writing -------------------------------------------------------------------------

constexpr int kLeastPrecision = 2;
constexpr int kMostPrecision = 18;
constexpr int kMostFixedDigits = 18;
// Fewer decimals than this round every double to zero in the fixed format (a double's
// decimal exponent is at most 309), so any smaller count acts as this one and the sums
// with it stay far inside the int range.
constexpr int kLeastFixedDigits = -400;
constexpr int kMostExponentDigits = 4;
// The general format writes the plain form down to 0.0001, that is E = −3.
constexpr int kLeastPlainExponent = -3;

// A magnitude written as 0.d1d2… × 10^exponent with d1 ≠ 0; no digits for zero.
struct DecimalDigits {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

// The magnitude rounded to the longest precision, to nearest with ties to even.
DecimalDigits LongestDigits(double value) {
  DecimalDigits decimal;
  if (value == 0) {
    return decimal;
  }
  decimal.negative = std::signbit(value);
  // d.ddddddddddddddddde±x: one digit before the point and the rest after it.
  char text[40];
  const auto written = std::to_chars(std::begin(text), std::end(text), std::fabs(value),
                                     std::chars_format::scientific, kMostPrecision - 1);
  const std::string_view scientific(text, written.ptr);
  const std::size_t exponentMark = scientific.find('e');
  for (char c : scientific.substr(0, exponentMark)) {
    if (IsDigit(c)) {
      decimal.digits += c;
    }
  }
  int powerOfTen = 0;
  const std::string_view exponentText = scientific.substr(exponentMark + 1);
  const char* exponentStart = exponentText.data() + (exponentText.front() == '+' ? 1 : 0);
  std::from_chars(exponentStart, exponentText.data() + exponentText.size(), powerOfTen);
  decimal.exponent = powerOfTen + 1;
  return decimal;
}

// Keeps `kept` (≥ 0) digits, rounding half up on the digits dropped, then drops trailing zeros.
// A value that rounds away entirely becomes zero, without sign.
void RoundToLength(DecimalDigits& decimal, int kept) {
  if (kept < static_cast<int>(decimal.digits.size())) {
    const bool roundUp = decimal.digits[kept] >= '5';
    decimal.digits.resize(kept);
    if (roundUp) {
      int at = kept - 1;
      while (at >= 0 && decimal.digits[at] == '9') {
        decimal.digits[at--] = '0';
      }
      if (at >= 0) {
        ++decimal.digits[at];
      } else {  // a carry out of the first digit
        decimal.digits.assign(1, '1');
        ++decimal.exponent;
      }
    }
  }
  while (!decimal.digits.empty() && decimal.digits.back() == '0') {
    decimal.digits.pop_back();
  }
  if (decimal.digits.empty()) {
    decimal = DecimalDigits{};
  }
}

// The first `count` digits, padded with zeros where the digits run out.
std::string LeadingDigits(const std::string& digits, int count) {
  std::string leading = digits.substr(0, std::min<std::size_t>(count, digits.size()));
  leading.resize(count, '0');
  return leading;
}

std::string ExponentForm(const DecimalDigits& decimal, int leastExponentDigits, char separator) {
  std::string text = decimal.negative ? "-" : "";
  text += decimal.digits.front();
  if (decimal.digits.size() > 1) {
    text += separator;
    text += decimal.digits.substr(1);
  }
  text += 'E';
  const int shownExponent = decimal.exponent - 1;  // for d1.d2d3… instead of 0.d1d2…
  if (shownExponent < 0) {
    text += '-';
  }
  const std::string exponentDigits = std::to_string(std::abs(shownExponent));
  text.append(std::max<int>(leastExponentDigits - static_cast<int>(exponentDigits.size()), 0), '0');
  text += exponentDigits;
  return text;
}

std::string GeneralPlainForm(const DecimalDigits& decimal, char separator) {
  std::string text = decimal.negative ? "-" : "";
  if (decimal.exponent <= 0) {
    text += '0';
    if (!decimal.digits.empty()) {
      text += separator;
      text.append(-decimal.exponent, '0');
      text += decimal.digits;
    }
    return text;
  }
  text += LeadingDigits(decimal.digits, decimal.exponent);
  if (static_cast<int>(decimal.digits.size()) > decimal.exponent) {
    text += separator;
    text += decimal.digits.substr(decimal.exponent);
  }
  return text;
}

std::string FixedForm(const DecimalDigits& decimal, int decimals, char separator) {
  std::string text = decimal.negative ? "-" : "";
  text +=
      decimal.exponent <= 0 ? std::string("0") : LeadingDigits(decimal.digits, decimal.exponent);
  if (decimals > 0) {
    text += separator;
    const int leadingZeros = decimal.exponent < 0 ? std::min(-decimal.exponent, decimals) : 0;
    std::string fraction(leadingZeros, '0');
    const std::size_t firstFractionDigit = std::max(decimal.exponent, 0);
    if (firstFractionDigit < decimal.digits.size()) {
      fraction += decimal.digits.substr(firstFractionDigit);
    }
    fraction.resize(decimals, '0');
    text += fraction;
  }
  return text;
}

int LeastExponentDigits(int digits) {
  return digits >= 0 && digits <= kMostExponentDigits ? digits : 0;
}

}  // namespace

char LocaleDecimalSeparator() {
  // A locale object of its own, so that the process's global locale is left as it is.
  const locale_t userLocale = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(0));
  if (userLocale == static_cast<locale_t>(0)) {
    return kPoint;
  }
  const char* radix = nl_langinfo_l(RADIXCHAR, userLocale);
  const char separator =
      radix != nullptr && radix[0] != '\0' && radix[1] == '\0' ? radix[0] : kPoint;
  freelocale(userLocale);
  return separator;
}

long double ParseNumber(std::string_view text, char separator) {
  NumberParts parts;
  long double value = 0;
  if (!SplitNumber(text, separator, parts) || !WideValue(parts, value)) {
    throw base::ConversionError(std::string(text));
  }
  return value;
}

std::string FormatNumber(double value, NumberFormat format, int precision, int digits,
                         char separator) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  precision = std::clamp(precision, kLeastPrecision, kMostPrecision);
  // The general format reads its digits only as the least exponent digits, 0 to 4.
  digits = format == NumberFormat::Fixed ? std::clamp(digits, kLeastFixedDigits, kMostFixedDigits)
                                         : LeastExponentDigits(digits);

  DecimalDigits decimal = LongestDigits(value);
  if (!decimal.digits.empty()) {
    const int integerDigitsAndDecimals = decimal.exponent + digits;
    if (format == NumberFormat::Fixed && integerDigitsAndDecimals < 0) {
      decimal = DecimalDigits{};
    } else {
      RoundToLength(decimal, format == NumberFormat::General
                                 ? precision
                                 : std::min(integerDigitsAndDecimals, precision));
    }
  }

  // A fixed value with more integer digits than the precision falls back to the general
  // format, which then takes the exponent form.
  if (format == NumberFormat::Fixed && decimal.exponent <= precision) {
    return FixedForm(decimal, digits, separator);
  }
  if (decimal.exponent > precision || decimal.exponent < kLeastPlainExponent) {
    return ExponentForm(decimal, LeastExponentDigits(digits), separator);
  }
  return GeneralPlainForm(decimal, separator);
}

std::string FormatNumber(double value, NumberStyle style, char separator) {
  return FormatNumber(value, style.format, style.precision, style.digits, separator);
}

std::optional<double> ReadPointNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);  // from_chars takes no plus sign
  }
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
      !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string ShortestText(double value) {
  // Room for the longest such text, "-2.2250738585072014e-308".
  char text[32];
  const auto written = std::to_chars(std::begin(text), std::end(text), value);
  return std::string(text, written.ptr);
}

std::string PadLeft(std::string_view text, std::size_t width) {
  std::string padded;
  if (text.size() < width) {
    padded.assign(width - text.size(), kBlank);
  }
  padded += text;
  return padded;
}

}  // namespace fluxeta::cases
