// Brent's method: inverse quadratic interpolation and secant steps inside a bracket that
// always keeps a change of sign, falling back to bisection where they do not shrink it.
// Interpolation prefers the points where the function is smooth: a kink or jump between
// them and the bracket's far end would only mislead it.
#pragma once

#include <array>
#include <limits>
#include <optional>

#include "fluxeta/base/checked_real.h"
#include "robust_root_bracket.h"

namespace fluxeta::solver {

// The bracket is narrow enough when it spans no more than this many units of the double
// precision at its best end.
inline constexpr double kBracketWidthInEpsilons = 4.0;

// An interpolated step is taken only while it is shorter than this share of the step
// before the last one, so that the bracket keeps shrinking fast.
inline constexpr double kInterpolatedStepShrink = 0.5;

namespace brent_detail {

// The last three points evaluated where the function is smooth, newest first.
class SmoothPoints {
 public:
  void Remember(const SignedPoint& point) {
    if (!point.smooth) {
      return;
    }
    points_ = {point, points_[0], points_[1]};
    count_ = count_ < 3 ? count_ + 1 : 3;
  }

  bool NewestIs(const SignedPoint& point) const { return count_ > 0 && points_[0].at == point.at; }

  // Where the inverse interpolation through the smooth points meets zero: quadratic through
  // three, a secant through two; none when values coincide.
  std::optional<base::Real> Zero() const {
    using base::Real;
    const SignedPoint& p0 = points_[0];
    const SignedPoint& p1 = points_[1];
    const SignedPoint& p2 = points_[2];
    if (count_ < 2 || p0.value == p1.value) {
      return std::nullopt;
    }
    if (count_ < 3 || p2.value == p0.value || p2.value == p1.value) {
      return Real(p0.at) - Real(p0.value) * (Real(p0.at) - p1.at) / (Real(p0.value) - p1.value);
    }
    const auto term = [](const SignedPoint& at, const SignedPoint& u, const SignedPoint& v) {
      return Real(at.at) * u.value * v.value /
             ((Real(at.value) - u.value) * (Real(at.value) - v.value));
    };
    return term(p0, p1, p2) + term(p1, p0, p2) + term(p2, p0, p1);
  }

 private:
  std::array<SignedPoint, 3> points_{};
  int count_ = 0;
};

}  // namespace brent_detail

// Several times the steps that bisection alone takes from a bracket of any two doubles to a
// few ulp: a fault that stalls the narrowing ends it instead of hanging it.
inline constexpr int kMostBrentSteps = 500;

struct BrentResult {
  bool stopped = false;    // the caller's stop test held at `best`
  bool exhausted = false;  // kMostBrentSteps taken before the bracket was narrow
  SignedPoint best;        // the end whose value is the smaller in magnitude
  SignedPoint other;       // the other end of the last bracket
};

// Narrows the bracket of `latest` and `contrapoint` (values of opposite sign) until the
// stop test holds at an evaluation or the bracket is a few ulp wide. An `earlier` point
// beyond the contrapoint lets the first step interpolate through three points. Where the
// newest point is smooth, the zero of the interpolation through the last smooth points is
// tried first; Brent's own step follows when it falls outside the bracket or shrinks it
// too little.
template <typename Evaluate, typename Stop>
BrentResult BrentRoot(SignedPoint latest, SignedPoint contrapoint,
                      std::optional<SignedPoint> earlier, Evaluate&& evaluate, Stop&& stop) {
  using base::Abs;
  using base::Real;
  constexpr double kEpsilon = std::numeric_limits<double>::epsilon();
  const auto oppositeSigns = [](const SignedPoint& x, const SignedPoint& y) {
    return (x.value > 0) != (y.value > 0);
  };

  SignedPoint a = earlier.value_or(contrapoint);  // the previous best end
  SignedPoint b = latest;                         // the best end
  SignedPoint c = contrapoint;                    // the end that keeps the change of sign against b
  Real step = Real(b.at) - c.at;
  Real previousStep = step;
  brent_detail::SmoothPoints smooth;
  if (earlier) {
    smooth.Remember(*earlier);
  }
  smooth.Remember(contrapoint);
  smooth.Remember(latest);
  for (int steps = 0; steps < kMostBrentSteps; ++steps) {
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
    if (smooth.NewestIs(b)) {
      const std::optional<Real> zero = smooth.Zero();
      const Real lowEnd = Real(b.at < c.at ? b.at : c.at) + tolerance;
      const Real highEnd = Real(b.at < c.at ? c.at : b.at) - tolerance;
      if (zero && *zero > lowEnd && *zero < highEnd &&
          Abs(*zero - b.at) < Real(kInterpolatedStepShrink) * Abs(previousStep)) {
        previousStep = step;
        step = *zero - b.at;
        interpolated = true;
      }
    }
    if (!interpolated && Abs(previousStep) >= tolerance && Abs(a.value) > Abs(b.value)) {
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
    smooth.Remember(b);
    if (stop(b)) {
      return {.stopped = true, .best = b, .other = c};
    }
  }
  return {.stopped = false, .exhausted = true, .best = b, .other = c};
}

}  // namespace fluxeta::solver
