// The Carreau–Yasuda flow curve η = η∞ + (η0 − η∞)·[1 + (λγ̇)^a]^((n−1)/a): a Newtonian
// plateau η0 at low shear rates, a power law of index n above 1/λ, and η∞ at the highest.
#pragma once

namespace fluxeta::liquids {

struct CarreauYasudaCurve {
  double zeroShearViscosity = 1;      // η0 (Pa.s)
  double infiniteShearViscosity = 0;  // η∞ (Pa.s), at most η0
  double timeConstant = 1;            // λ (s)
  double transitionIndex = 2;         // a (-)
  double powerLawIndex = 1;           // n (-), 0 < n ≤ 1

  double Viscosity(double shearRate) const;
  // d ln τ / d ln γ̇ = 1 + (1 − η∞/η)·(n − 1)·(λγ̇)^a/(1 + (λγ̇)^a), in [n, 1].
  double FlowIndex(double shearRate) const;
};

}  // namespace fluxeta::liquids
