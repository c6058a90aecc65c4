#include "fluxeta/case/number_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "../support/expect_fault.h"
#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/errors.h"

namespace fluxeta::cases {
namespace {

constexpr auto kGeneral = NumberFormat::General;
constexpr auto kFixed = NumberFormat::Fixed;

long double Parse(std::string_view text) {
  return ParseNumber(text, '.');
}

std::string Format(double value, NumberFormat format, int precision, int digits) {
  return FormatNumber(value, format, precision, digits, '.');
}

// Expects `text` to be refused with the conversion message naming it unchanged.
void ExpectRefused(std::string_view text, char separator = '.') {
  try {
    ParseNumber(text, separator);
    ADD_FAILURE() << "accepted '" << text << "'";
  } catch (const base::ConversionError& error) {
    EXPECT_EQ(error.text(), text);
    EXPECT_EQ(std::string(error.what()),
              "'" + std::string(text) + "' は浮動小数点数ではありません");
  }
}

TEST(ParseNumber, ReadsSignedMantissaWithOptionalExponent) {
  EXPECT_EQ(Parse("3.0"), 3.0L);
  EXPECT_EQ(Parse("0.0254"), 0.0254L);
  EXPECT_EQ(Parse("-2"), -2.0L);
  EXPECT_EQ(Parse("+.5"), 0.5L);
  EXPECT_EQ(Parse("7."), 7.0L);
  EXPECT_EQ(Parse("1.5e3"), 1500.0L);
  EXPECT_EQ(Parse("1.5E-3"), 1.5e-3L);
  EXPECT_EQ(Parse("25e+1"), 250.0L);
  EXPECT_EQ(Parse("1e0000000000003"), 1000.0L);
  EXPECT_EQ(Parse("0000123.4500"), 123.45L);
}

TEST(ParseNumber, AcceptsSpacesAroundTheNumberButNoOtherWhiteSpace) {
  EXPECT_EQ(Parse(" 3.0 "), 3.0L);
  EXPECT_EQ(Parse("   -1.25"), -1.25L);
  EXPECT_EQ(Parse("4   "), 4.0L);
  ExpectRefused("\t3.0");
  ExpectRefused("3.0\t");
  ExpectRefused("3.0\n");
  ExpectRefused("- 3");
  ExpectRefused("1 2");
}

TEST(ParseNumber, NeedsADigitOrTheSeparatorAfterTheSign) {
  EXPECT_EQ(Parse("."), 0.0L);
  EXPECT_EQ(Parse(" +. "), 0.0L);
  const long double negativeZero = Parse("-.");
  EXPECT_EQ(negativeZero, 0.0L);
  EXPECT_TRUE(std::signbit(negativeZero));
  ExpectRefused("");
  ExpectRefused("   ");
  ExpectRefused("-");
  ExpectRefused("+");
  ExpectRefused("+-1");
}

TEST(ParseNumber, ReadsAMissingExponentAsZero) {
  EXPECT_EQ(Parse("3e"), 3.0L);
  EXPECT_EQ(Parse("3E"), 3.0L);
  EXPECT_EQ(Parse("2.5e- "), 2.5L);
  EXPECT_EQ(Parse(".e"), 0.0L);
  ExpectRefused("e");
  ExpectRefused("E5");
  ExpectRefused("-e1");
  ExpectRefused("3ee");
}

TEST(ParseNumber, StopsTakingExponentDigitsAtFiveHundred) {
  const long double beyondDouble = Parse("1e500");
  EXPECT_EQ(beyondDouble, 1e500L);
  testing::ExpectFault([&] { base::StoreAsDouble(beyondDouble); },
                       base::FloatingPointFault::Overflow, "浮動小数点数のオーバーフロー");
  // 499 is below the limit, so a further digit is still taken; 500 is not.
  EXPECT_EQ(Parse("1e-4990"), 0.0L);
  ExpectRefused("1e-5000");
  ExpectRefused("1e5000");
}

TEST(ParseNumber, RefusesValuesBeyondTheWideRangeAndFlushesTinyOnes) {
  ExpectRefused("1e4933");
  ExpectRefused("-2e4932");
  EXPECT_EQ(base::StoreAsDouble(Parse("1e-400")).value(), 0.0);
  EXPECT_EQ(base::StoreAsDouble(Parse("4.9406564584124654e-324")).value(),
            std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(base::StoreAsDouble(Parse("1.7976931348623157e308")).value(),
            std::numeric_limits<double>::max());
}

TEST(ParseNumber, RoundsToTheWideSignificandBeforeTheDouble) {
  // Just above the midpoint 1 + 2^-53: read directly it rounds up to 1 + 2^-52, but the
  // wide value is the midpoint itself, which then rounds to the even double 1.
  const std::string aboveMidpoint = "1.000000000000000111022302462515654042363166809082031250001";
  EXPECT_EQ(base::StoreAsDouble(Parse(aboveMidpoint)).value(), 1.0);
  EXPECT_EQ(base::StoreAsDouble(Parse("0.1")).value(), 0.1);
  EXPECT_EQ(base::StoreAsDouble(Parse("6.14")).value(), 6.14);
}

TEST(ParseNumber, RefusesAnythingElseAfterTheNumber) {
  ExpectRefused("1,000");
  ExpectRefused("3,5");
  ExpectRefused("1.2.3");
  ExpectRefused("12 cm");
  ExpectRefused("0x10");
  ExpectRefused("inf");
  ExpectRefused("nan");
  ExpectRefused("abc");
}

TEST(ParseNumber, UsesTheGivenSeparatorOnly) {
  EXPECT_EQ(ParseNumber("3,5", ','), 3.5L);
  EXPECT_EQ(ParseNumber(" -0,25e1 ", ','), -2.5L);
  ExpectRefused("3.5", ',');
  ExpectRefused("1.000,5", ',');
}

struct FormatExample {
  double value;
  NumberFormat format;
  int precision;
  int digits;
  const char* text;
};

TEST(FormatNumber, WritesTheWorkedExamples) {
  const FormatExample examples[] = {
      {3.0, kFixed, 7, 4, "3.0000"},
      {0.1, kFixed, 6, 4, "0.1000"},
      {0.0254, kFixed, 6, 4, "0.0254"},
      {2.5, kFixed, 5, 2, "2.50"},
      {33.0, kFixed, 7, 2, "33.00"},
      {-2.0, kFixed, 8, 3, "-2.000"},
      {123.4567, kFixed, 5, 3, "123.460"},
      {12345.67, kFixed, 5, 2, "12346.00"},
      {123456.7, kFixed, 5, 2, "1.2346E05"},
      {1234567.0, kFixed, 6, 2, "1.23457E06"},
      {123456789.0, kFixed, 7, 4, "1.234568E0008"},
      {99.9996, kFixed, 6, 3, "100.000"},
      {9.99995, kFixed, 6, 4, "10.0000"},
      {0.125, kFixed, 5, 2, "0.13"},
      {2.675, kFixed, 5, 2, "2.67"},
      {-0.004, kFixed, 8, 2, "0.00"},
      {-0.005, kFixed, 8, 2, "-0.01"},
      {0.00004, kFixed, 8, 4, "0.0000"},
      {10.0, kGeneral, 5, 2, "10"},
      {1.0, kGeneral, 5, 2, "1"},
      {0.0, kGeneral, 5, 2, "0"},
      {1.0 / 3.0, kGeneral, 5, 2, "0.33333"},
      {12.345678, kGeneral, 5, 2, "12.346"},
      {-12.5, kGeneral, 5, 2, "-12.5"},
      {54321.0, kGeneral, 5, 2, "54321"},
      {99999.5, kGeneral, 5, 2, "1E05"},
      {123456.7, kGeneral, 5, 2, "1.2346E05"},
      {150000.0, kGeneral, 5, 2, "1.5E05"},
      {0.000123456, kGeneral, 5, 2, "0.00012346"},
      {0.0000123, kGeneral, 5, 2, "1.23E-05"},
  };
  for (const FormatExample& example : examples) {
    EXPECT_EQ(Format(example.value, example.format, example.precision, example.digits),
              example.text)
        << example.value << (example.format == kFixed ? " fixed " : " general ")
        << example.precision << ' ' << example.digits;
  }
}

TEST(FormatNumber, NeverWritesASignedZero) {
  EXPECT_EQ(Format(-0.0, kGeneral, 5, 2), "0");
  EXPECT_EQ(Format(-0.0, kFixed, 8, 2), "0.00");
  EXPECT_EQ(Format(-1e-300, kFixed, 18, 4), "0.0000");
}

TEST(FormatNumber, GeneralSwitchesToExponentFormBelowOneTenThousandth) {
  EXPECT_EQ(Format(0.0001, kGeneral, 5, 2), "0.0001");
  EXPECT_EQ(Format(0.00001, kGeneral, 5, 2), "1E-05");
  EXPECT_EQ(Format(0.00009999, kGeneral, 5, 2), "9.999E-05");
  EXPECT_EQ(Format(0.000099999, kGeneral, 4, 2), "0.0001");
  EXPECT_EQ(Format(100000.0, kGeneral, 6, 2), "100000");
  EXPECT_EQ(Format(1e300, kGeneral, 5, 2), "1E300");
  EXPECT_EQ(Format(-1.5e-300, kGeneral, 5, 2), "-1.5E-300");
}

TEST(FormatNumber, PadsTheExponentToTheLeastExponentDigits) {
  EXPECT_EQ(Format(1.5e-5, kGeneral, 5, 0), "1.5E-5");
  EXPECT_EQ(Format(1.5e-5, kGeneral, 5, 4), "1.5E-0005");
  EXPECT_EQ(Format(1.5e-5, kGeneral, 5, 5), "1.5E-5");
  EXPECT_EQ(Format(1.5e-5, kGeneral, 5, -1), "1.5E-5");
  EXPECT_EQ(Format(-123456789.0, kFixed, 7, 4), "-1.234568E0008");
  EXPECT_EQ(Format(123456789.0, kFixed, 7, 3), "1.234568E008");
}

TEST(FormatNumber, FixedFallsToExponentFormWhenRoundingAddsAnIntegerDigit) {
  EXPECT_EQ(Format(99999.7, kFixed, 5, 2), "1E05");
  EXPECT_EQ(Format(99999.4, kFixed, 5, 2), "99999.00");
}

TEST(FormatNumber, ClampsPrecisionAndDecimals) {
  EXPECT_EQ(Format(123.0, kGeneral, 1, 2), "1.2E02");
  EXPECT_EQ(Format(0.1, kGeneral, 25, 0), "0.100000000000000006");
  EXPECT_EQ(Format(0.5, kFixed, 18, 30), "0.500000000000000000");
  EXPECT_EQ(Format(2.5, kFixed, 5, 0), "3");
}

// The counts at the ends of the int range act as the nearest counts the rules name; no
// sum with them may overflow (the sanitizer build sees one).
TEST(FormatNumber, ClampsTheDigitsBeforeAnyArithmetic) {
  constexpr int kLeast = std::numeric_limits<int>::min();
  constexpr int kMost = std::numeric_limits<int>::max();
  EXPECT_EQ(Format(123.456, kGeneral, 5, kLeast), Format(123.456, kGeneral, 5, 0));
  EXPECT_EQ(Format(1.5e-7, kGeneral, 5, kLeast), "1.5E-7");
  EXPECT_EQ(Format(1.5e-7, kGeneral, 5, kMost), "1.5E-7");
  EXPECT_EQ(Format(1e300, kFixed, 5, kLeast), "0");
  EXPECT_EQ(Format(123.456, kFixed, 5, kMost), Format(123.456, kFixed, 5, 18));
}

TEST(FormatNumber, RoundsTheLongestDigitsTiesToEven) {
  // 2^-27 = 7.450580596923828125e-9 has nineteen digits; the tie keeps the even 2.
  EXPECT_EQ(Format(std::ldexp(1.0, -27), kGeneral, 18, 0), "7.45058059692382812E-9");
}

TEST(FormatNumber, WritesInfinityAndNotANumber) {
  const double infinity = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Format(infinity, kFixed, 7, 2), "INF");
  EXPECT_EQ(Format(-infinity, kGeneral, 5, 2), "-INF");
  EXPECT_EQ(Format(std::numeric_limits<double>::quiet_NaN(), kFixed, 7, 2), "NAN");
}

TEST(FormatNumber, WritesTheGivenSeparator) {
  EXPECT_EQ(FormatNumber(3.0, kFixed, 7, 4, ','), "3,0000");
  EXPECT_EQ(FormatNumber(12.345678, kGeneral, 5, 2, ','), "12,346");
  EXPECT_EQ(FormatNumber(123456.7, kGeneral, 5, 2, ','), "1,2346E05");
  EXPECT_EQ(FormatNumber(0.000123456, kGeneral, 5, 2, ','), "0,00012346");
}

TEST(PadLeft, WidensWithLeadingBlanksAndNeverCuts) {
  EXPECT_EQ(PadLeft("1", 3), "  1");
  EXPECT_EQ(PadLeft("50", 3), " 50");
  EXPECT_EQ(PadLeft("1.2346E05", 9), "1.2346E05");
  EXPECT_EQ(PadLeft("-1.2346E05", 9), "-1.2346E05");
  EXPECT_EQ(PadLeft("", 2), "  ");
}

TEST(DecimalSeparator, IsAValueOfEachCall) {
  EXPECT_EQ(ParseNumber("3,5", ','), 3.5L);
  EXPECT_EQ(FormatNumber(3.0, kFixed, 7, 4, ','), "3,0000");
  EXPECT_EQ(FormatNumber(3.0, kFixed, 7, 4, '.'), "3.0000");
}

TEST(DecimalSeparator, FallsBackToAPointAndLeavesTheGlobalLocale) {
  const std::string globalBefore = std::setlocale(LC_NUMERIC, nullptr);
  const char* savedLcAll = std::getenv("LC_ALL");
  const std::string lcAllBefore = savedLcAll != nullptr ? savedLcAll : "";

  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(LocaleDecimalSeparator(), '.');
  setenv("LC_ALL", "no_SUCH.locale", 1);
  EXPECT_EQ(LocaleDecimalSeparator(), '.');
  EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), globalBefore);

  if (savedLcAll != nullptr) {
    setenv("LC_ALL", lcAllBefore.c_str(), 1);
  } else {
    unsetenv("LC_ALL");
  }
}

TEST(ReadPointNumber, TakesAFiniteNumberWithAPointAndNothingElse) {
  EXPECT_EQ(ReadPointNumber("+1.5e0"), 1.5);
  EXPECT_EQ(ReadPointNumber("-0.2"), -0.2);
  EXPECT_EQ(ReadPointNumber("1e308"), 1e308);
  for (const char* text : {"", "+", "1,5", " 1", "1 ", "1e400", "inf", "nan", "0x10", "1.5x"}) {
    EXPECT_EQ(ReadPointNumber(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace fluxeta::cases
