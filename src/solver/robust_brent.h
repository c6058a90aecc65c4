// Brent's method: inverse quadratic interpolation and secant steps inside a bracket that
// always keeps a change of sign, falling back to bisection where they do not shrink it.
#pragma once

#include <limits>

#include "base/checked_real.h"
#include "solver/robust_root_bracket.h"

namespace fluxeta::solver {

// The bracket is narrow enough when it spans no more than this many units of the double
// precision at its best end.
inline constexpr double kBracketWidthInEpsilons = 4.0;

struct BrentResult {
  bool stopped = false;  // the caller's stop test held at `best`
  SignedPoint best;      // the end whose value is the smaller in magnitude
  SignedPoint other;     // the other end of the last bracket
};

// Narrows the bracket [lower, upper] (values of opposite sign) until the stop test holds
// at an evaluation or the bracket is a few ulp wide.
template <typename Evaluate, typename Stop>
BrentResult BrentRoot(SignedPoint lower, SignedPoint upper, Evaluate&& evaluate, Stop&& stop) {
  using cases::Abs;
  using cases::Real;
  constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
  const auto oppositeSigns = [](const SignedPoint& x, const SignedPoint& y) {
    return (x.value > 0) != (y.value > 0);
  };

  SignedPoint a = lower;  // the previous best end
  SignedPoint b = upper;  // the best end
  SignedPoint c = a;      // the end that keeps the change of sign against b
  Real step = Real(b.at) - a.at;
  Real previousStep = step;
  for (;;) {
    if (!oppositeSigns(b, c)) {
      c = a;
      step = previousStep = Real(b.at) - a.at;
    }
    if (Abs(c.value) < Abs(b.value)) {
      a = b;
      b = c;
      c = a;
    }
    const Real tolerance = Real(kBracketWidthInEpsilons / 2.0 * kEpsilon) * Abs(b.at);
    const Real halfWidth = (Real(c.at) - b.at) / 2.0;
    if (Abs(halfWidth) <= tolerance || b.value == 0) {
      return {.stopped = false, .best = b, .other = c};
    }
    bool interpolated = false;
    if (Abs(previousStep) >= tolerance && Abs(a.value) > Abs(b.value)) {
      // Inverse quadratic interpolation through a, b and c, or the secant through a and b.
      const Real s = Real(b.value) / a.value;
      Real p = 0.0;
      Real q = 0.0;
      if (a.at == c.at) {
        p = Real(2.0) * halfWidth * s;
        q = Real(1.0) - s;
      } else {
        const Real qa = Real(a.value) / c.value;
        const Real r = Real(b.value) / c.value;
        p = s * (Real(2.0) * halfWidth * qa * (qa - r) - (Real(b.at) - a.at) * (r - 1.0));
        q = (qa - 1.0) * (r - 1.0) * (s - 1.0);
      }
      if (p > 0.0) {
        q = -q;
      } else {
        p = -p;
      }
      // Accept the step only while it stays well inside the bracket and keeps shrinking.
      const Real limitByBracket = Real(3.0) * halfWidth * q - Abs(tolerance * q);
      const Real limitByHistory = Abs(previousStep * q);
      if (Real(2.0) * p < (limitByBracket < limitByHistory ? limitByBracket : limitByHistory)) {
        previousStep = step;
        step = p / q;
        interpolated = true;
      }
    }
    if (!interpolated) {
      step = halfWidth;
      previousStep = step;
    }
    a = b;
    const Real move = Abs(step) > tolerance ? step : (halfWidth > 0.0 ? tolerance : -tolerance);
    b = evaluate((Real(b.at) + move).value());
    if (stop(b)) {
      return {.stopped = true, .best = b, .other = c};
    }
  }
}

}  // namespace fluxeta::solver
