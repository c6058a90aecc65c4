#include "fluxeta/base/checked_real.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "../support/expect_fault.h"
#include "fluxeta/base/errors.h"

namespace fluxeta::base {
namespace {

using fluxeta::testing::ExpectFault;

const std::string kDivisionByZero = "0 による浮動小数点数除算";
const std::string kInvalidOperation = "不正な浮動小数点数演算命令";
const std::string kOverflow = "浮動小数点数のオーバーフロー";

TEST(CheckedReal, DivisionByZeroAndZeroOverZero) {
  ExpectFault([] { return Real(1.0) / Real(0.0); }, FloatingPointFault::DivisionByZero,
              kDivisionByZero);
  ExpectFault([] { return Real(-1.0) / Real(-0.0); }, FloatingPointFault::DivisionByZero,
              kDivisionByZero);
  ExpectFault([] { return Real(0.0) / Real(0.0); }, FloatingPointFault::InvalidOperation,
              kInvalidOperation);
  EXPECT_EQ((Real(1.0) / Real(4.0)).value(), 0.25);
}

TEST(CheckedReal, OverflowOfEveryOperation) {
  const Real largest = std::numeric_limits<double>::max();
  ExpectFault([&] { return largest + largest; }, FloatingPointFault::Overflow, kOverflow);
  ExpectFault([&] { return -largest - largest; }, FloatingPointFault::Overflow, kOverflow);
  ExpectFault([&] { return largest * 2.0; }, FloatingPointFault::Overflow, kOverflow);
  ExpectFault([&] { return largest / 0.5; }, FloatingPointFault::Overflow, kOverflow);
}

TEST(CheckedReal, UnderflowIsSilent) {
  EXPECT_EQ((Real(1e-300) * Real(1e-300)).value(), 0.0);
  EXPECT_EQ((Real(1e-300) / Real(1e300)).value(), 0.0);
  EXPECT_EQ(StoreAsDouble(1e-400L).value(), 0.0);
}

TEST(CheckedReal, StoringAWideValueChecksTheDoubleRange) {
  ExpectFault([] { return StoreAsDouble(1e400L); }, FloatingPointFault::Overflow, kOverflow);
  ExpectFault([] { return StoreAsDouble(-1e309L); }, FloatingPointFault::Overflow, kOverflow);
  ExpectFault([] { return StoreAsDouble(std::numeric_limits<long double>::quiet_NaN()); },
              FloatingPointFault::InvalidOperation, kInvalidOperation);
  EXPECT_EQ(StoreAsDouble(WideReal(1.0L) / WideReal(3.0L)).value(), 1.0 / 3.0);
}

TEST(CheckedReal, FunctionsOutsideTheirDomain) {
  ExpectFault([] { return Sqrt(-1e-300); }, FloatingPointFault::InvalidOperation,
              kInvalidOperation);
  EXPECT_EQ(Sqrt(0.0).value(), 0.0);
  EXPECT_EQ(Sqrt(2.25).value(), 1.5);
}

}  // namespace
}  // namespace fluxeta::base
