// Real numbers with the interface of Checked and none of its checks, so that one formula
// written for a number type can run either way: checked operation by operation, or plain,
// its faults left in the exception flags for a check at the end of a small unit
// (fault_flags.h). Both give the same doubles, bit for bit, wherever no fault happens,
// and a fault that Checked raises always leaves its flag here.
#pragma once

#include <cmath>
#include <compare>
#include <concepts>

#include "fluxeta/base/checked_real.h"

namespace fluxeta::base {

template <std::floating_point T>
class Unchecked {
 public:
  constexpr Unchecked() = default;
  constexpr Unchecked(T value) : value_(value) {}  // NOLINT(google-explicit-constructor)

  constexpr T value() const { return value_; }

  static constexpr Unchecked Verified(T result) { return Unchecked(result); }

  friend constexpr Unchecked operator+(Unchecked a, Unchecked b) { return a.value_ + b.value_; }
  friend constexpr Unchecked operator-(Unchecked a, Unchecked b) { return a.value_ - b.value_; }
  friend constexpr Unchecked operator*(Unchecked a, Unchecked b) { return a.value_ * b.value_; }
  friend constexpr Unchecked operator/(Unchecked a, Unchecked b) { return a.value_ / b.value_; }
  friend constexpr Unchecked operator-(Unchecked a) { return -a.value_; }

  Unchecked& operator+=(Unchecked b) { return *this = *this + b; }
  Unchecked& operator-=(Unchecked b) { return *this = *this - b; }
  Unchecked& operator*=(Unchecked b) { return *this = *this * b; }
  Unchecked& operator/=(Unchecked b) { return *this = *this / b; }

  friend bool operator==(Unchecked a, Unchecked b) { return a.value_ == b.value_; }
  friend std::partial_ordering operator<=>(Unchecked a, Unchecked b) {
    return a.value_ <=> b.value_;
  }

 private:
  T value_ = 0;
};

using UncheckedReal = Unchecked<double>;

// Whether a number type raises FloatingPointError at the operation that fails.
template <typename Number>
inline constexpr bool kChecksEachOperation = false;
template <std::floating_point T>
inline constexpr bool kChecksEachOperation<Checked<T>> = true;

// |x|, √x (NaN and the invalid flag for x < 0) and cos x; templates, so that a plain
// double still takes Checked's.
template <std::same_as<UncheckedReal> Number>
Number Abs(Number x) {
  return std::fabs(x.value());
}
template <std::same_as<UncheckedReal> Number>
Number Sqrt(Number x) {
  return std::sqrt(x.value());
}
template <std::same_as<UncheckedReal> Number>
Number Cos(Number x) {
  return std::cos(x.value());
}

}  // namespace fluxeta::base
