// The Cross flow curve η = η∞ + (η0 − η∞)/(1 + (λγ̇)^m), 0 < m ≤ 1.
#pragma once

namespace fluxeta::liquids {

struct CrossCurve {
  double zeroShearViscosity = 1;      // η0 (Pa.s)
  double infiniteShearViscosity = 0;  // η∞ (Pa.s), at most η0
  double timeConstant = 1;            // λ (s)
  double rateIndex = 1;               // m (-)

  double Viscosity(double shearRate) const;
  // d ln τ / d ln γ̇ = 1 − m·(1 − η∞/η)·(λγ̇)^m/(1 + (λγ̇)^m), in (0, 1].
  double FlowIndex(double shearRate) const;
};

}  // namespace fluxeta::liquids
