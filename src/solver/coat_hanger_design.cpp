#include "fluxeta/solver/coat_hanger_design.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <boost/math/quadrature/gauss_kronrod.hpp>

#include "fluxeta/base/fault_flags.h"

namespace fluxeta::solver {

namespace {

// The held part's land integral is smooth in the manifold's wall stress: an adaptive
// Gauss–Kronrod quadrature reaches it to about a unit in the last place in few levels.
constexpr unsigned kMostQuadratureDepth = 12;
constexpr double kQuadratureTolerance = 1e-13;

using Quadrature = boost::math::quadrature::gauss_kronrod<double, 15>;

}  // namespace

UniformCoatHanger::UniformCoatHanger(const liquids::Liquid& liquid, double flowPerWidth, double gap,
                                     double length, double endLandLength, double minRadius)
    : liquid_(liquid),
      flowPerWidth_(flowPerWidth),
      gap_(gap),
      length_(length),
      endLandLength_(endLandLength),
      minRadius_(minRadius) {
  const base::FaultFlagScope faults;
  const double tau = liquid.SlotWallStress(flowPerWidth, gap);
  slotWallStress_ = tau;
  radiusCoefficient_ =
      std::cbrt(flowPerWidth * tau * tau * tau / (std::numbers::pi * liquid.PipeMoment(tau)));
  const double heldRatio = minRadius / radiusCoefficient_;
  heldLength_ = std::min(length, heldRatio * heldRatio * heldRatio);
  heldEndLand_ = HeldLandLength(heldLength_);
  base::RaiseOnFaultFlags();
}

double UniformCoatHanger::FormulaRadius(double xi) const {
  return radiusCoefficient_ * std::cbrt(xi);
}

double UniformCoatHanger::Radius(double xi) const {
  return std::max(minRadius_, FormulaRadius(xi));
}

double UniformCoatHanger::RadiusSlope(double xi) const {
  const double radius = FormulaRadius(xi);
  return radius > minRadius_ ? radius / (3 * xi) : 0;
}

double UniformCoatHanger::HeldLandSlope(double xi) const {
  const double manifoldStress = liquid_.PipeWallStress(flowPerWidth_ * xi, minRadius_);
  const double sine = gap_ / minRadius_ * (manifoldStress / slotWallStress_);
  return sine / std::sqrt(1 - sine * sine);
}

// With the manifold's wall stress t as the variable (ξ(t) = Q(t, R)/q̄, the slope
// f(t) = s/√(1 − s²), s = (H/R)·(t/τ)), by parts:
//   ∫₀^ξ f dξ' = ξ·f(τ_m) − ∫₀^τ_m ξ(t)·f′(t) dt,  f′ = (1 − s²)^(−3/2)·H/(R·τ),
// whose integrand is smooth where f(τ_m(ξ)) is not (τ_m ∝ ξ^n near the closed end).
double UniformCoatHanger::HeldLandLength(double xi) const {
  if (!(xi > 0)) {
    return endLandLength_;
  }
  const double manifoldStress = liquid_.PipeWallStress(flowPerWidth_ * xi, minRadius_);
  const double sineRate = gap_ / (minRadius_ * slotWallStress_);  // ds/dt (1/Pa)
  const auto slopeRate = [&](double t) {
    const double sine = sineRate * t;
    const double cosine2 = 1 - sine * sine;
    return liquid_.PipeFlow(t, minRadius_) / flowPerWidth_ * sineRate /
           (cosine2 * std::sqrt(cosine2));
  };
  const double integral = Quadrature::integrate(slopeRate, 0.0, manifoldStress,
                                                kMostQuadratureDepth, kQuadratureTolerance);
  return endLandLength_ + xi * HeldLandSlope(xi) - integral;
}

double UniformCoatHanger::LandSlope(double xi) const {
  const double radius = FormulaRadius(xi);
  if (!(radius > minRadius_)) {
    return HeldLandSlope(xi);
  }
  const double ratio = radius / gap_;
  return 1 / std::sqrt(ratio * ratio - 1);
}

// With u = R/H = c·ξ^(1/3)/H, dξ = 3(H/c)³u² du and ∫ u²/√(u² − 1) du = (u√(u² − 1) +
// arcosh u)/2.
double UniformCoatHanger::FormulaLandIntegral(double radius) const {
  const double u = radius / gap_;
  const double scale = gap_ / radiusCoefficient_;
  return 1.5 * scale * scale * scale * (u * std::sqrt(u * u - 1) + std::acosh(u));
}

double UniformCoatHanger::LandLength(double xi) const {
  if (xi > heldLength_) {
    return heldEndLand_ + FormulaLandIntegral(FormulaRadius(xi)) - FormulaLandIntegral(minRadius_);
  }
  return HeldLandLength(xi);
}

}  // namespace fluxeta::solver
