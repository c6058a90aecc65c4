// The exact moments of a flow curve that is given by its viscosity η(γ̇) in closed form
// but whose shear rate at a stress is not: γ̇(τ) by a monotone root, and the moments in
// the shear rate instead of the stress, where the integrand is explicit. With g = e^v,
// τ(g) = η(g)·g and dτ = τ·index·dv:
//   ∫₀^τw s·γ̇(s) ds  = ∫ τ(g)²·index(g)·g dv
//   ∫₀^τw s²·γ̇(s) ds = ∫ τ(g)³·index(g)·g dv
// over v up to ln γ̇(τw). Both integrands fall at least as e^v below, so the integral is
// taken over unit spans of v downwards until what is left is below a double's resolution.
//
// A Curve has Viscosity(γ̇) and FlowIndex(γ̇) (in (0, 1]: the stress rises with the shear
// rate, no faster than in proportion) and the field zeroShearViscosity.
#pragma once

#include <cmath>
#include <limits>
#include <stdexcept>

#include <boost/math/quadrature/gauss_kronrod.hpp>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/fault_flags.h"

namespace fluxeta::liquids {

struct FlowMoments {
  double slot = 0;  // ∫₀^τ s·γ̇(s) ds (Pa²/s)
  double pipe = 0;  // ∫₀^τ s²·γ̇(s) ds (Pa³/s)

  FlowMoments& operator+=(const FlowMoments& other) {
    slot += other.slot;
    pipe += other.pipe;
    return *this;
  }
};

// Newton iterations of the shear rate at a stress; each at least halves the bracket.
inline constexpr int kMostShearRateIterations = 200;

// γ̇ > 0 with η(γ̇)·γ̇ = stress > 0, by Newton's method on ln τ(ln γ̇), whose slope is the
// flow index, kept inside a bracket. `guess` > 0 is a start near the answer (the shear
// rate of a nearby stress), or 0 for the Newtonian rate τ/η0.
template <typename Curve>
double ShearRateAtStress(const Curve& curve, double stress, double guess = 0) {
  const double target = std::log(stress);
  const auto miss = [&](double v) {
    const double rate = std::exp(v);
    return std::log(curve.Viscosity(rate) * rate) - target;
  };
  // Since η ≤ η0 the rate τ/η0 is at or below the answer.
  double low = std::log(stress / curve.zeroShearViscosity);
  // From below, Newton's steps rise and stay finite; from above, the bracket is finite.
  double v = guess > 0 ? std::fmax(std::log(guess), low) : low;
  double high = std::numeric_limits<double>::infinity();
  for (int iteration = 0; iteration < kMostShearRateIterations; ++iteration) {
    const double f = miss(v);
    if (f == 0) {
      return std::exp(v);
    }
    if (f < 0) {
      low = std::fmax(low, v);
    } else {
      high = std::fmin(high, v);
    }
    const double next = v - f / curve.FlowIndex(std::exp(v));
    const double resolution =
        4 * std::numeric_limits<double>::epsilon() * std::fmax(1, std::fabs(v));
    if (std::fabs(next - v) <= resolution) {
      return std::exp(next);
    }
    // A Newton step that leaves the bracket (from above, where the stress bends up) is
    // replaced by the bracket's middle; from below a step never leaves it.
    v = next > low && next < high ? next : low + (high - low) / 2;
    if (high - low <= resolution) {
      return std::exp(v);
    }
  }
  return std::exp(v);
}

// The integrands in v = ln γ̇ of the two moments.
template <typename Curve>
FlowMoments MomentIntegrands(const Curve& curve, double v) {
  const double rate = std::exp(v);
  const double stress = curve.Viscosity(rate) * rate;
  const double slot = stress * stress * curve.FlowIndex(rate) * rate;
  return {slot, slot * stress};
}

// The adaptive quadrature halves a span while its 15- and 31-point estimates differ by more
// than this part of the result; the 31-point value is far more accurate than that
// difference (its error falls as the difference squared on a smooth integrand), so a
// tolerance well above rounding keeps every span to a few halvings at most.
inline constexpr double kQuadratureTolerance = 1e-9;
inline constexpr unsigned kQuadratureDepth = 8;
inline constexpr double kNegligibleTail = 1e-18;
inline constexpr double kQuadratureSpan = 1;  // of v = ln γ̇

// The moments between the shear rates e^v0 and e^v1, v0 < v1: adaptive Gauss–Kronrod.
// The quadrature refuses an integrand that overflowed with std::domain_error; that ends the
// operation as the floating-point fault it is, with the first fault's message.
template <typename Curve>
FlowMoments MomentIncrement(const Curve& curve, double v0, double v1) {
  using Rule = boost::math::quadrature::gauss_kronrod<double, 31>;
  try {
    return {Rule::integrate([&](double v) { return MomentIntegrands(curve, v).slot; }, v0, v1,
                            kQuadratureDepth, kQuadratureTolerance),
            Rule::integrate([&](double v) { return MomentIntegrands(curve, v).pipe; }, v0, v1,
                            kQuadratureDepth, kQuadratureTolerance)};
  } catch (const std::domain_error&) {
    base::RaiseOnFaultFlags();
    throw base::FloatingPointError(base::FloatingPointFault::InvalidOperation);
  }
}

// Both moments from zero to the wall shear rate: over unit spans of ln γ̇, downwards until
// the integrands, which fall at least as e^v, leave a negligible tail.
template <typename Curve>
FlowMoments MomentsByQuadrature(const Curve& curve, double wallShearRate) {
  FlowMoments total;
  double top = std::log(wallShearRate);
  for (;;) {
    const double bottom = top - kQuadratureSpan;
    total += MomentIncrement(curve, bottom, top);
    const FlowMoments below = MomentIntegrands(curve, bottom);
    if (below.slot <= kNegligibleTail * total.slot && below.pipe <= kNegligibleTail * total.pipe) {
      return total;
    }
    top = bottom;
  }
}

}  // namespace fluxeta::liquids
