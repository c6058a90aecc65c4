// The wall stress at which a flow reaches a target: the flows of every liquid rise with the
// wall stress, so a bracket grown from a good first guess and TOMS 748 find it.
#pragma once

#include <cmath>
#include <cstdint>

#include <boost/math/tools/roots.hpp>

#include "fluxeta/base/checked_real.h"

namespace fluxeta::liquids {

// Brackets are grown by this factor at most this many times each way: from any guess
// within 4^±60 ≈ 10^±36 of the answer.
inline constexpr double kBracketGrowth = 4;
inline constexpr int kMostBracketSteps = 60;
// Root-finder iterations, and the relative width of the final bracket.
inline constexpr std::uintmax_t kMostInverseIterations = 100;
inline constexpr int kInverseToleranceBits = 50;

// The τ > floor at which flow(τ) = target > 0, for an increasing `flow` that is zero at or
// below `floor`. A target the bracket cannot reach (a flow that is not finite, or bounded
// below the target) is an invalid operation.
template <typename Flow>
double InvertFlow(const Flow& flow, double target, double guess, double floor) {
  if (!(guess > floor) || !std::isfinite(guess)) {
    guess = floor > 0 ? 2 * floor : 1;
  }
  double low = guess;
  double high = guess;
  double flowLow = flow(low) - target;
  double flowHigh = flowLow;
  for (int step = 0; flowLow > 0 && step < kMostBracketSteps; ++step) {
    high = low;
    flowHigh = flowLow;
    low = floor + (low - floor) / kBracketGrowth;
    flowLow = flow(low) - target;
  }
  for (int step = 0; flowHigh < 0 && step < kMostBracketSteps; ++step) {
    low = high;
    flowLow = flowHigh;
    high *= kBracketGrowth;
    flowHigh = flow(high) - target;
  }
  if (flowLow == 0) {
    return low;
  }
  if (flowHigh == 0) {
    return high;
  }
  if (!(flowLow < 0 && flowHigh > 0)) {
    base::RaiseFloatingPointFault(base::FloatingPointFault::InvalidOperation);
  }
  std::uintmax_t iterations = kMostInverseIterations;
  const auto [a, b] = boost::math::tools::toms748_solve(
      [&](double t) { return flow(t) - target; }, low, high, flowLow, flowHigh,
      boost::math::tools::eps_tolerance<double>(kInverseToleranceBits), iterations);
  return a + (b - a) / 2;
}

}  // namespace fluxeta::liquids
