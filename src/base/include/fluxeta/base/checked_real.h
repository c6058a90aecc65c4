// Real numbers whose every operation is checked: a division by zero, an invalid
// operation or an overflow raises FloatingPointError at the operation where it happens,
// so the first fault in evaluation order decides the message. Underflow is silent.
//
// Values enter finite (inputs are checked when they are stored), so a result that is
// not finite always marks the fault of the operation that produced it.
#pragma once

#include <cmath>
#include <compare>
#include <concepts>

#include "fluxeta/base/errors.h"

namespace fluxeta::base {

[[noreturn]] void RaiseFloatingPointFault(FloatingPointFault fault);

template <std::floating_point T>
class Checked {
 public:
  constexpr Checked() = default;
  // Implicit, so that constants and plain doubles mix with checked values in formulas.
  constexpr Checked(T value) : value_(value) {}  // NOLINT(google-explicit-constructor)

  constexpr T value() const { return value_; }

  // A sum, difference or product of finite values is not finite only by overflow.
  static Checked Verified(T result) {
    if (!std::isfinite(result)) [[unlikely]] {
      RaiseFloatingPointFault(std::isnan(result) ? FloatingPointFault::InvalidOperation
                                                 : FloatingPointFault::Overflow);
    }
    return Checked(result);
  }

  friend Checked operator+(Checked a, Checked b) { return Verified(a.value_ + b.value_); }
  friend Checked operator-(Checked a, Checked b) { return Verified(a.value_ - b.value_); }
  friend Checked operator*(Checked a, Checked b) { return Verified(a.value_ * b.value_); }
  friend Checked operator/(Checked a, Checked b) {
    if (b.value_ == 0) [[unlikely]] {
      RaiseFloatingPointFault(a.value_ == 0 ? FloatingPointFault::InvalidOperation
                                            : FloatingPointFault::DivisionByZero);
    }
    return Verified(a.value_ / b.value_);
  }
  friend Checked operator-(Checked a) { return Checked(-a.value_); }

  Checked& operator+=(Checked b) { return *this = *this + b; }
  Checked& operator-=(Checked b) { return *this = *this - b; }
  Checked& operator*=(Checked b) { return *this = *this * b; }
  Checked& operator/=(Checked b) { return *this = *this / b; }

  friend bool operator==(Checked a, Checked b) { return a.value_ == b.value_; }
  friend std::partial_ordering operator<=>(Checked a, Checked b) { return a.value_ <=> b.value_; }

 private:
  T value_ = 0;
};

using Real = Checked<double>;           // a stored double
using WideReal = Checked<long double>;  // an intermediate carried with a 64-bit significand

// Rounds a wide intermediate to the double it is stored as; too large a value overflows.
Real StoreAsDouble(WideReal value);
Real StoreAsDouble(long double value);

Real Abs(Real x);
Real Sqrt(Real x);  // invalid for x < 0
Real Atan(Real x);
Real Cos(Real x);

}  // namespace fluxeta::base
