// The program's power rule carried in double precision, for the formulas the solver
// evaluates thousands of times per solve (the wide form costs a long-double logarithm
// and exponential per call).
#pragma once

#include <cmath>

#include "case/checked_real.h"

namespace fluxeta::solver {

// x^y for one exponent y and any number of bases, with the rule's case for y settled
// once: y = 0 gives 1; x = 0 with y > 0 gives 0; a whole-number y is applied by repeated
// multiplication, so a negative x is allowed; otherwise x^y, an invalid operation for a
// negative x and a division by zero for x = 0 (where the logarithm of x fails). A
// half-integral y, such as the n − 1 = −0.5 of the usual liquid, is taken as a whole
// power of √x: the same value without a call of the general power.
class FixedExponentPower {
 public:
  explicit FixedExponentPower(double exponent) : exponent_(exponent) {
    if (exponent == 0) {
      kind_ = Kind::One;
    } else if (IsWholeNumber(exponent)) {
      kind_ = Kind::Whole;
      SetMultiplications(exponent);
    } else if (IsWholeNumber(2.0 * exponent)) {
      kind_ = Kind::WholeOfRoot;
      SetMultiplications(2.0 * exponent);
    } else {
      kind_ = Kind::General;
    }
  }

  cases::Real operator()(cases::Real x) const {
    const double base = x.value();
    switch (kind_) {
      case Kind::One:
        return 1.0;
      case Kind::Whole:
        return base == 0 && exponent_ > 0 ? cases::Real(0.0) : WholePower(x);
      case Kind::WholeOfRoot:
      case Kind::General:
        break;
    }
    if (base == 0 && exponent_ > 0) {
      return 0.0;
    }
    if (base < 0) {
      cases::RaiseFloatingPointFault(cases::FloatingPointFault::InvalidOperation);
    }
    if (base == 0) {
      cases::RaiseFloatingPointFault(cases::FloatingPointFault::DivisionByZero);
    }
    if (kind_ == Kind::WholeOfRoot) {
      return WholePower(std::sqrt(base));
    }
    return cases::Real::Verified(std::pow(base, exponent_));
  }

 private:
  enum class Kind { One, Whole, WholeOfRoot, General };

  // Beyond this every double is whole, but the multiplication count could not hold it.
  static constexpr double kLargestCountedExponent = 9.2e18;

  static bool IsWholeNumber(double y) {
    return std::fabs(y) < kLargestCountedExponent &&
           static_cast<double>(static_cast<long long>(y)) == y;
  }

  void SetMultiplications(double wholeExponent) {
    multiplications_ = static_cast<unsigned long long>(std::fabs(wholeExponent));
    reciprocal_ = wholeExponent < 0;
  }

  // x^k by square and multiply; a negative k takes the reciprocal. The first factor is
  // taken as it is rather than multiplied into 1: the same value, one multiplication less.
  cases::Real WholePower(cases::Real x) const {
    unsigned long long remaining = multiplications_;
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
    return reciprocal_ ? cases::Real(1.0) / result : result;
  }

  double exponent_;
  Kind kind_;
  unsigned long long multiplications_ = 0;  // |k| of a whole power
  bool reciprocal_ = false;                 // k < 0
};

// x^y by the same rule, for a single base.
inline cases::Real PowerInDouble(cases::Real x, cases::Real y) {
  return FixedExponentPower(y.value())(x);
}

}  // namespace fluxeta::solver
