#include "fluxeta/base/power_rule.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "../support/expect_fault.h"
#include "fluxeta/base/errors.h"

namespace fluxeta::base {
namespace {

using fluxeta::testing::ExpectFault;

double Pow(double x, double y) {
  return Power(x, y).value();
}

TEST(Power, ZeroExponentGivesOneForEveryBase) {
  EXPECT_EQ(Pow(0.0, 0.0), 1.0);
  EXPECT_EQ(Pow(-3.5, 0.0), 1.0);
  EXPECT_EQ(Pow(1e300, -0.0), 1.0);
}

TEST(Power, ZeroBaseWithPositiveExponentGivesZero) {
  EXPECT_EQ(Pow(0.0, 2.5), 0.0);
  EXPECT_EQ(Pow(0.0, 3.0), 0.0);
  EXPECT_EQ(Pow(0.0, 1e-300), 0.0);
}

TEST(Power, WholeExponentAllowsANegativeBase) {
  EXPECT_EQ(Pow(-2.0, 3.0), -8.0);
  EXPECT_EQ(Pow(-2.0, 2.0), 4.0);
  EXPECT_EQ(Pow(-2.0, -2.0), 0.25);
  EXPECT_EQ(Pow(-0.5, -3.0), -8.0);
  EXPECT_EQ(Pow(1.5, 1.0), 1.5);
}

// Bit for bit the products of square and multiply, whichever way a k is computed.
TEST(Power, WholePowersAreTheProductsOfSquareAndMultiply) {
  const double x = 1.1;
  const double square = x * x;
  EXPECT_EQ(Pow(x, 2.0), square);
  EXPECT_EQ(Pow(x, 3.0), x * square);
  EXPECT_EQ(Pow(x, 5.0), x * (square * square));
  EXPECT_EQ(Pow(x, -3.0), 1.0 / (x * square));
  EXPECT_EQ(Pow(x, 1.5), std::sqrt(x) * (std::sqrt(x) * std::sqrt(x)));
}

TEST(Power, FractionalExponentGoesThroughTheLogarithm) {
  EXPECT_EQ(Pow(2.0, 0.5), std::sqrt(2.0));
  EXPECT_EQ(Pow(1.25, 0.5), std::sqrt(1.25));
}

TEST(Power, FaultsOfThePowerRule) {
  const std::string invalid = "不正な浮動小数点数演算命令";
  const std::string divisionByZero = "0 による浮動小数点数除算";
  const std::string overflow = "浮動小数点数のオーバーフロー";
  ExpectFault([] { return Power(-2.0, 0.5); }, FloatingPointFault::InvalidOperation, invalid);
  ExpectFault([] { return Power(0.0, -1.0); }, FloatingPointFault::DivisionByZero, divisionByZero);
  ExpectFault([] { return Power(0.0, -0.5); }, FloatingPointFault::DivisionByZero, divisionByZero);
  // Within the wide range, but not storable as a double.
  ExpectFault([] { return Power(10.0, 400.0); }, FloatingPointFault::Overflow, overflow);
  ExpectFault([] { return Power(10.0, 400.5); }, FloatingPointFault::Overflow, overflow);
  // Beyond even the wide range.
  ExpectFault([] { return WidePower(10.0L, 5000.0L); }, FloatingPointFault::Overflow, overflow);
  ExpectFault([] { return WidePower(10.0L, 5000.5L); }, FloatingPointFault::Overflow, overflow);
}

TEST(Power, WideFormKeepsTheWideResult) {
  EXPECT_EQ(WidePower(2.0L, 1500.0L).value(), std::ldexp(1.0L, 1500));
  EXPECT_EQ(WidePower(3.0L, -1.0L).value(), 1.0L / 3.0L);
}

}  // namespace
}  // namespace fluxeta::base
