// One fourth-order Runge–Kutta step in Gill's form, whose auxiliary vector q carries the
// rounding of the stages. The coefficients are Gill's, written to eleven digits.
#pragma once

#include <cassert>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/unchecked_real.h"
#include "state_vector.h"

namespace fluxeta::solver {

namespace gill {
inline constexpr double kHalf = 0.5;                     // stage 1 weight and mid-step position
inline constexpr double kStage2Weight = 0.29289321881;   // 1 − 1/√2
inline constexpr double kStage2QFactor = 0.12132034356;  // 3/√2 − 2
inline constexpr double kStage2RFactor = 0.58578643763;  // 2 − √2
inline constexpr double kStage3Weight = 1.7071067812;    // 1 + 1/√2
inline constexpr double kStage3QFactor = -4.1213203436;  // −2 − 3/√2
inline constexpr double kStage3RFactor = 3.4142135624;   // 2 + √2
inline constexpr double kFinalRDivisor = 6.0;
inline constexpr double kFinalQDivisor = 3.0;
}  // namespace gill

// Advances elements 0 … n−1 of y from x to x + h; elements n and beyond are left alone.
// `derivatives(x, y, dy)` writes the derivatives of y at x into dy and is called exactly
// four times, at x, x + h/2, x + h/2 and x + h. Real is the arithmetic of the stages:
// checked operation by operation, or unchecked for a step checked by the fault flags.
template <typename Real = base::Real, typename Derivatives>
void RungeKuttaGillStep(int n, StateVector& y, double x, double h, Derivatives&& derivatives) {
  assert(n >= 0 && n <= kStateCapacity);
  StateVector k{};  // derivatives of the stage
  StateVector q{};  // Gill's auxiliary vector
  const Real step = h;

  derivatives(x, y, k);
  for (int i = 0; i < n; ++i) {
    const Real r = step * k[i];
    y[i] = (Real(y[i]) + Real(gill::kHalf) * r).value();
    q[i] = r.value();
  }

  const double midPosition = (Real(gill::kHalf) * step + x).value();
  derivatives(midPosition, y, k);
  for (int i = 0; i < n; ++i) {
    const Real r = step * k[i];
    y[i] = (Real(y[i]) + Real(gill::kStage2Weight) * (r - q[i])).value();
    q[i] = (Real(gill::kStage2QFactor) * q[i] + Real(gill::kStage2RFactor) * r).value();
  }

  derivatives(midPosition, y, k);
  for (int i = 0; i < n; ++i) {
    const Real r = step * k[i];
    y[i] = (Real(y[i]) + Real(gill::kStage3Weight) * (r - q[i])).value();
    q[i] = (Real(gill::kStage3QFactor) * q[i] + Real(gill::kStage3RFactor) * r).value();
  }

  derivatives((Real(x) + step).value(), y, k);
  for (int i = 0; i < n; ++i) {
    const Real r = step * k[i];
    y[i] = ((Real(y[i]) + r / gill::kFinalRDivisor) - Real(q[i]) / gill::kFinalQDivisor).value();
  }
}

}  // namespace fluxeta::solver
