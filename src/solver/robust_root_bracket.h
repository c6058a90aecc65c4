// Brackets the root of a function of a positive argument P whose sign says on which side
// the root lies (positive: at a larger P), stepping in ln P from a first guess.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>

#include "fluxeta/base/checked_real.h"

namespace fluxeta::solver {

// One evaluation: the argument and the function's value there, and whether the function
// is smooth about it, so that interpolation through it can be trusted.
struct SignedPoint {
  double at = 0;
  double value = 0;
  bool smooth = true;
};

inline constexpr double kFirstLogStep = 0.1;    // ln P
inline constexpr double kLargestLogStep = 1.0;  // ln P
inline constexpr double kLogReach = 12.0;       // ln P either way from the first guess
// A secant estimate of the root is overstepped by this factor, so that it brackets.
inline constexpr double kSecantOverstep = 1.0;
// Far more steps than the reach takes (16 at full length): a fault that stalls the steps
// ends the search instead of hanging it.
inline constexpr int kMostBracketSteps = 200;

enum class BracketEnd {
  Bracketed,   // `lower` and `upper` hold values of opposite sign
  Stopped,     // the caller's stop test held at `last`
  OutOfReach,  // no change of sign within e^12 of the first guess; `last` is the farthest
  StepLimit,   // kMostBracketSteps taken without either; `last` is the latest
};

struct RootBracket {
  BracketEnd end = BracketEnd::OutOfReach;
  SignedPoint lower;  // value > 0
  SignedPoint upper;  // value ≤ 0
  SignedPoint last;   // the end evaluated last, when bracketed
  // The point evaluated before the end evaluated first, outside the bracket, when there
  // was one: a third point for interpolation.
  std::optional<SignedPoint> beyond;
};

namespace bracket_detail {

inline base::Real Log(base::Real x) {
  if (x <= 0.0) {
    base::RaiseFloatingPointFault(x == 0.0 ? base::FloatingPointFault::DivisionByZero
                                           : base::FloatingPointFault::InvalidOperation);
  }
  return std::log(x.value());
}

inline base::Real Exp(base::Real x) {
  return base::Real::Verified(std::exp(x.value()));
}

inline bool RaiseSide(double value) {
  return value > 0;
}

}  // namespace bracket_detail

// Steps from `firstGuess` towards the side each value points to: 0.1 in ln P first, the
// step doubling up to 1 while the side stays the same, shortened to just past the secant
// estimate of the root when the last two values give one ahead. `evaluate(P)` returns the
// SignedPoint at P; `stop(point)` ends the search at once when it holds.
template <typename Evaluate, typename Stop>
RootBracket BracketRoot(double firstGuess, Evaluate&& evaluate, Stop&& stop) {
  using base::Real;
  using bracket_detail::RaiseSide;
  const Real origin = bracket_detail::Log(firstGuess);
  Real logAt = origin;
  SignedPoint current = evaluate(firstGuess);
  if (stop(current)) {
    return {BracketEnd::Stopped, {}, {}, current, std::nullopt};
  }
  Real previousLog = logAt;
  SignedPoint previous = current;
  bool havePrevious = false;
  Real step = kFirstLogStep;
  for (int steps = 0; steps < kMostBracketSteps; ++steps) {
    const bool raise = RaiseSide(current.value);
    const Real direction = raise ? 1.0 : -1.0;
    Real length = step;
    if (havePrevious && previous.value != current.value) {
      // Where the line through the last two values meets zero, ahead of the current point.
      const Real ahead = -Real(current.value) * (logAt - previousLog) /
                         (Real(current.value) - previous.value) * direction;
      if (ahead > 0.0) {
        length = std::min(step, ahead * kSecantOverstep);
      }
    }
    const Real reachLeft = Real(kLogReach) - base::Abs(logAt - origin);
    if (reachLeft <= 0.0) {
      return {BracketEnd::OutOfReach, {}, {}, current, std::nullopt};
    }
    const Real nextLog = logAt + direction * std::min(length, reachLeft);
    const SignedPoint next = evaluate(bracket_detail::Exp(nextLog).value());
    if (stop(next)) {
      return {BracketEnd::Stopped, {}, {}, next, std::nullopt};
    }
    if (RaiseSide(next.value) != raise) {
      const std::optional<SignedPoint> beyond =
          havePrevious ? std::optional<SignedPoint>(previous) : std::nullopt;
      return raise ? RootBracket{BracketEnd::Bracketed, current, next, next, beyond}
                   : RootBracket{BracketEnd::Bracketed, next, current, next, beyond};
    }
    previous = current;
    previousLog = logAt;
    havePrevious = true;
    current = next;
    logAt = nextLog;
    step = std::min(Real(2.0) * step, Real(kLargestLogStep));
  }
  return {BracketEnd::StepLimit, {}, {}, current, std::nullopt};
}

}  // namespace fluxeta::solver
