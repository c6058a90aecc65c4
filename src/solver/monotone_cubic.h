// A monotone piecewise cubic through points (x_k, y_k): Hermite cubics whose slopes keep
// every interval's values between its ends, so that a table that rises or falls is
// interpolated without overshoot.
#pragma once

#include <vector>

#include <boost/math/interpolators/cubic_hermite.hpp>

namespace fluxeta::solver {

class MonotoneCubic {
 public:
  // At least two points, x strictly increasing.
  MonotoneCubic(std::vector<double> x, std::vector<double> y);

  // The value and slope at x, taken at the nearer end outside the points' range.
  double operator()(double x) const { return spline_(Clamped(x)); }
  double Slope(double x) const { return spline_.prime(Clamped(x)); }

 private:
  double Clamped(double x) const { return x < low_ ? low_ : x > high_ ? high_ : x; }

  double low_, high_;
  boost::math::interpolators::cubic_hermite<std::vector<double>> spline_;
};

// The slopes of the monotone cubic at its points: at an inner point the weighted harmonic
// mean of the two neighbouring secants (Fritsch and Butland), zero where they differ in
// sign or one is flat; at the ends the end secant. Boost's pchip computes the same but
// needs four points.
std::vector<double> MonotoneSlopes(const std::vector<double>& x, const std::vector<double>& y);

}  // namespace fluxeta::solver
