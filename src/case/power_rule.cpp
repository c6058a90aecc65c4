#include "case/power_rule.h"

#include <cmath>
#include <limits>

namespace fluxeta::cases {

namespace {

// x^k for a whole-number k, by square-and-multiply; a negative k takes the reciprocal.
WideReal WholeNumberPower(WideReal x, long double exponent) {
  unsigned long long remaining = static_cast<unsigned long long>(std::fabs(exponent));
  WideReal result = 1.0L;
  WideReal factor = x;
  while (remaining != 0) {
    if (remaining & 1U) {
      result *= factor;
    }
    remaining >>= 1U;
    if (remaining != 0) {
      factor *= factor;
    }
  }
  return exponent < 0 ? WideReal(1.0L) / result : result;
}

bool IsWholeNumber(long double y) {
  // Beyond 2^63 every long double is whole, but the loop counter could not hold it.
  constexpr long double kLargestCountedExponent = 9.2e18L;
  return std::trunc(y) == y && std::fabs(y) < kLargestCountedExponent;
}

}  // namespace

WideReal WidePower(WideReal x, WideReal y) {
  if (y == 0.0L) {
    return 1.0L;
  }
  if (x == 0.0L && y > 0.0L) {
    return 0.0L;
  }
  if (IsWholeNumber(y.value())) {
    return WholeNumberPower(x, y.value());
  }
  return Exp(y * Log(x));
}

Real Power(Real x, Real y) { return StoreAsDouble(WidePower(x.value(), y.value())); }

}  // namespace fluxeta::cases
