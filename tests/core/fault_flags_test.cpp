// A unit checked by the fault flags: the fast run where nothing faults, the checked run
// where something did, and the flags around the unit left alone.
#include "fluxeta/base/fault_flags.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

#include "../support/expect_fault.h"
#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/power_rule.h"
#include "fluxeta/base/unchecked_real.h"

namespace fluxeta::base {
namespace {

constexpr char kDivisionByZero[] = "0 による浮動小数点数除算";
constexpr char kInvalidOperation[] = "不正な浮動小数点数演算命令";

volatile double zero = 0.0;  // kept from the compiler, so that divisions happen at run time

// A unit of two divisions a/b and c/d, with the number types it ran with. Its result is
// kept, since the compiler drops an unchecked operation whose result is unused.
struct TwoDivisions {
  double a, b, c, d;
  int uncheckedRuns = 0;
  int checkedRuns = 0;
  volatile double result = 0;

  template <typename Number>
  void operator()(Number) {
    (kChecksEachOperation<Number> ? checkedRuns : uncheckedRuns) += 1;
    const Number first = Number(a) / b;
    const Number second = Number(c) / d;
    result = (first + second).value();
  }
};

TEST(CheckByFaultFlags, RunsOnlyTheFastUnitWhereNothingFaults) {
  TwoDivisions unit{1.0, 4.0, 3.0, 8.0};
  CheckByFaultFlags([&](auto number) { unit(number); });
  EXPECT_EQ(unit.uncheckedRuns, 1);
  EXPECT_EQ(unit.checkedRuns, 0);
  EXPECT_EQ(unit.result, 0.625);
  EXPECT_FALSE(FaultFlagsRaised());
}

// 0/0 comes first and 1/0 after it: the flags alone would name the division by zero.
TEST(CheckByFaultFlags, RedoesAFaultedUnitCheckedSoThatTheFirstFaultDecides) {
  TwoDivisions unit{0.0, zero, 1.0, zero};
  fluxeta::testing::ExpectFault([&] { CheckByFaultFlags([&](auto number) { unit(number); }); },
                                FloatingPointFault::InvalidOperation, kInvalidOperation);
  EXPECT_EQ(unit.uncheckedRuns, 1);
  EXPECT_EQ(unit.checkedRuns, 1);
  EXPECT_FALSE(FaultFlagsRaised());

  TwoDivisions reversed{1.0, zero, 0.0, zero};
  fluxeta::testing::ExpectFault([&] { CheckByFaultFlags([&](auto number) { reversed(number); }); },
                                FloatingPointFault::DivisionByZero, kDivisionByZero);
}

TEST(FaultFlagScope, KeepsTheFlagsRaisedAroundItAndDropsItsOwn) {
  ClearFaultFlags();
  {
    const FaultFlagScope scope;
    const double infinity = 1.0 / zero;
    EXPECT_TRUE(std::isinf(infinity));
    EXPECT_TRUE(FaultFlagsRaised());
  }
  EXPECT_FALSE(FaultFlagsRaised());

  std::feraiseexcept(FE_OVERFLOW);
  {
    const FaultFlagScope scope;
    EXPECT_FALSE(FaultFlagsRaised());  // the unit sees only its own faults
    const double notANumber = zero / zero;
    EXPECT_TRUE(std::isnan(notANumber));
  }
  EXPECT_EQ(std::fetestexcept(kFaultFlags), FE_OVERFLOW);
  ClearFaultFlags();
}

// The unchecked power takes the same path to the same bits, and leaves a fault in the flags.
TEST(UncheckedPower, GivesTheCheckedBitsAndFlagsTheFaults) {
  for (const double exponent : {0.0, 1.0, 3.0, -2.0, 0.5, 2.5, -0.5, 1.0 / 0.7}) {
    const FixedExponentPower<double> power(exponent);
    for (const double base : {0.0, 0.3, 1.0, 2.75, 1e20}) {
      if (base == 0 && exponent < 0) {
        continue;  // a fault, below
      }
      EXPECT_EQ(power(UncheckedReal(base)).value(), power(Real(base)).value())
          << base << "^" << exponent;
    }
  }
  EXPECT_EQ(FixedExponentPower<double>(3.0)(UncheckedReal(-2.0)).value(), -8.0);

  const FaultFlagScope scope;
  EXPECT_TRUE(std::isnan(FixedExponentPower<double>(0.5)(UncheckedReal(-2.0)).value()));
  EXPECT_EQ(std::fetestexcept(kFaultFlags), FE_INVALID);
  ClearFaultFlags();
  EXPECT_TRUE(std::isinf(FixedExponentPower<double>(-0.5)(UncheckedReal(0.0)).value()));
  EXPECT_EQ(std::fetestexcept(kFaultFlags), FE_DIVBYZERO);
  ClearFaultFlags();
  EXPECT_TRUE(std::isinf(FixedExponentPower<double>(-1.0 / 0.7)(UncheckedReal(0.0)).value()));
  EXPECT_EQ(std::fetestexcept(kFaultFlags), FE_DIVBYZERO);
  ClearFaultFlags();
  EXPECT_TRUE(std::isinf(FixedExponentPower<double>(2.5)(UncheckedReal(1e300)).value()));
  EXPECT_NE(std::fetestexcept(kFaultFlags) & FE_OVERFLOW, 0);
}

}  // namespace
}  // namespace fluxeta::base
