// The real power x^y used by every formula of the program, one rule everywhere:
// y = 0 gives 1; x = 0 with y > 0 gives 0; a whole-number y is applied by repeated
// multiplication, so a negative x is allowed; otherwise x^y = e^(y·ln x), an invalid
// operation for a negative x and a division by zero for x = 0 (where ln x fails).
#pragma once

#include <cmath>
#include <concepts>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/unchecked_real.h"

namespace fluxeta::base {

// The rule for one exponent y, settled once, applied to any number of bases: the solver
// raises thousands of shear rates to the same n − 1. A half-integral y, such as the
// n − 1 = −0.5 of the usual liquid, is taken as a whole power of √x: the same value
// without a logarithm and an exponential.
template <std::floating_point T>
class FixedExponentPower {
 public:
  explicit FixedExponentPower(T exponent) : exponent_(exponent) {
    if (exponent == 0) {
      kind_ = Kind::One;
    } else if (IsWholeNumber(exponent)) {
      kind_ = Kind::Whole;
      SetMultiplications(exponent);
    } else if (IsWholeNumber(2 * exponent)) {
      kind_ = Kind::WholeOfRoot;
      SetMultiplications(2 * exponent);
    } else {
      kind_ = Kind::General;
    }
  }

  Checked<T> operator()(Checked<T> x) const { return Apply(x); }
  // The same power where a failure only leaves its exception flag: NaN for a negative
  // base, ∞ for a zero base and a negative exponent.
  Unchecked<T> operator()(Unchecked<T> x) const { return Apply(x); }

 private:
  enum class Kind { One, Whole, WholeOfRoot, General };

  // Beyond 2^63 every value is whole, but the multiplication count could not hold it.
  static constexpr T kLargestCountedExponent = 9.2e18;

  static bool IsWholeNumber(T y) {
    return std::fabs(y) < kLargestCountedExponent && std::trunc(y) == y;
  }

  void SetMultiplications(T wholeExponent) {
    multiplications_ = static_cast<unsigned long long>(std::fabs(wholeExponent));
    reciprocal_ = wholeExponent < 0;
  }

  template <typename Number>
  Number Apply(Number x) const {
    const T base = x.value();
    if (kind_ == Kind::One) {
      return T(1);
    }
    if (base == 0 && exponent_ > 0) {
      return T(0);
    }
    if (kind_ == Kind::Whole) {
      return WholePower(x);
    }
    if constexpr (kChecksEachOperation<Number>) {
      if (base < 0) {
        RaiseFloatingPointFault(FloatingPointFault::InvalidOperation);
      }
      if (base == 0) {
        RaiseFloatingPointFault(FloatingPointFault::DivisionByZero);
      }
    }
    if (kind_ == Kind::WholeOfRoot) {
      return WholePower(Number(std::sqrt(base)));
    }
    return Number::Verified(std::pow(base, exponent_));
  }

  // x^k by square and multiply; a negative k takes the reciprocal. The small k of the
  // usual indices are written out, with the products square and multiply makes.
  template <typename Number>
  Number WholePower(Number x) const {
    Number result = T(1);
    switch (multiplications_) {
      case 1:
        result = x;
        break;
      case 2:
        result = x * x;
        break;
      case 3:
        result = x * (x * x);
        break;
      default:
        result = SquareAndMultiply(x);
        break;
    }
    return reciprocal_ ? Number(T(1)) / result : result;
  }

  template <typename Number>
  Number SquareAndMultiply(Number x) const {
    unsigned long long remaining = multiplications_;
    Number result = T(1);
    bool hasFactor = false;
    Number factor = x;
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
    return result;
  }

  T exponent_;
  Kind kind_;
  unsigned long long multiplications_ = 0;  // |k| of a whole power
  bool reciprocal_ = false;                 // k < 0
};

// x^y in double, and with the 64-bit significand where a formula carries its
// intermediates wide.
inline Real Power(Real x, Real y) {
  return FixedExponentPower<double>(y.value())(x);
}
inline WideReal WidePower(WideReal x, WideReal y) {
  return FixedExponentPower<long double>(y.value())(x);
}

}  // namespace fluxeta::base
