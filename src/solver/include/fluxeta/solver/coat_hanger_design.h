// The coat-hanger die that passes a liquid evenly: a circular manifold whose wall stress
// equals the slot's everywhere, so that the slot's wall stress τ = (H/2)·P/L is the same at
// every position. With q̄ the slot flow per unit width, τ the slot wall stress that passes
// it and ξ the distance from the closed end, the manifold carries q̄·ξ at the wall stress τ:
//   R(ξ)³ = q̄·ξ·τ³ / (π·∫₀^τ s²·γ̇(s) ds)
// and the land lengthens as the pressure rises towards the feed:
//   dL/dξ = (R²/H² − 1)^(−1/2).
// Near the closed end R is held at a least radius (> H), where the manifold's wall stress
// τ_m (of the flow q̄·ξ in that radius) falls below τ; the slope then keeps the slot's wall
// stress at τ: (dL/dξ)/√(1 + (dL/dξ)²) = (H/R)·(τ_m/τ). For a power-law liquid of index n,
// R³ = (3n + 1)·H²·ξ / (2π(2n + 1)), whatever its consistency and the flow.
#pragma once

#include <vector>

#include "fluxeta/liquids/liquid.h"

namespace fluxeta::solver {

class UniformCoatHanger {
 public:
  // The die of width `length` (cm; one half of a centre-fed die) passing `flowPerWidth`
  // (cm2/s) of `liquid` through the gap H, with the land length `endLandLength` at the
  // closed end and the least radius `minRadius` > H. Raises FloatingPointError where the
  // arithmetic faults.
  UniformCoatHanger(const liquids::Liquid& liquid, double flowPerWidth, double gap, double length,
                    double endLandLength, double minRadius);

  double SlotWallStress() const { return slotWallStress_; }  // τ (Pa)
  // Where the radius of the formula reaches the least radius (cm from the closed end).
  double HeldRadiusLength() const { return heldLength_; }

  // At ξ cm from the closed end, 0 ≤ ξ ≤ length:
  double FormulaRadius(double xi) const;  // R of the formula (cm)
  double Radius(double xi) const;         // R, held at the least radius (cm)
  double RadiusSlope(double xi) const;    // dR/dξ (-)
  double LandSlope(double xi) const;      // dL/dξ (-)
  double LandLength(double xi) const;     // L (cm)

 private:
  double HeldLandSlope(double xi) const;
  double HeldLandLength(double xi) const;
  double FormulaLandIntegral(double radius) const;

  liquids::Liquid liquid_;
  double flowPerWidth_, gap_, length_, endLandLength_, minRadius_;
  double slotWallStress_ = 0;
  double radiusCoefficient_ = 0;  // c in R = c·ξ^(1/3)
  double heldLength_ = 0;
  double heldEndLand_ = 0;  // L where the radius leaves its least value (cm)
};

}  // namespace fluxeta::solver
