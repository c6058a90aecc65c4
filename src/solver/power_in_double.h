// The program's power rule carried in double precision, for the formulas the solver
// evaluates thousands of times per solve (the wide form costs a long-double logarithm
// and exponential per call).
#pragma once

#include <cmath>

#include "case/checked_real.h"

namespace fluxeta::solver {

namespace power_detail {

// Beyond this every double is whole, but the multiplication count could not hold it.
inline constexpr double kLargestCountedExponent = 9.2e18;

inline bool IsWholeNumber(double y) {
  return std::fabs(y) < kLargestCountedExponent &&
         static_cast<double>(static_cast<long long>(y)) == y;
}

// x^k for a whole number k ≠ 0, by square and multiply; a negative k takes the
// reciprocal. The first factor is taken as it is rather than multiplied into 1: the same
// value, one multiplication less in the integration's chain of dependent operations.
inline cases::Real WholeNumberPower(cases::Real x, double exponent) {
  auto remaining = static_cast<unsigned long long>(std::fabs(exponent));
  cases::Real result = 1.0;
  bool hasFactor = false;
  cases::Real factor = x;
  while (remaining != 0) {
    if (remaining & 1U) {
      result = hasFactor ? result * factor : factor;
      hasFactor = true;
    }
    remaining >>= 1U;
    if (remaining != 0) {
      factor *= factor;
    }
  }
  return exponent < 0 ? cases::Real(1.0) / result : result;
}

}  // namespace power_detail

// y = 0 gives 1; x = 0 with y > 0 gives 0; a whole-number y is applied by repeated
// multiplication, so a negative x is allowed; otherwise x^y, an invalid operation for a
// negative x and a division by zero for x = 0 (where the logarithm of x fails). A
// half-integral y, such as the n − 1 = −0.5 of the usual liquid, is taken as a whole
// power of √x: the same value, without a call of the general power.
inline cases::Real PowerInDouble(cases::Real x, cases::Real y) {
  const double base = x.value();
  const double exponent = y.value();
  if (exponent == 0) {
    return 1.0;
  }
  if (base == 0 && exponent > 0) {
    return 0.0;
  }
  if (power_detail::IsWholeNumber(exponent)) {
    return power_detail::WholeNumberPower(x, exponent);
  }
  if (base < 0) {
    cases::RaiseFloatingPointFault(cases::FloatingPointFault::InvalidOperation);
  }
  if (base == 0) {
    cases::RaiseFloatingPointFault(cases::FloatingPointFault::DivisionByZero);
  }
  if (power_detail::IsWholeNumber(2.0 * exponent)) {
    return power_detail::WholeNumberPower(cases::Sqrt(x), 2.0 * exponent);
  }
  return cases::Real::Verified(std::pow(base, exponent));
}

}  // namespace fluxeta::solver
