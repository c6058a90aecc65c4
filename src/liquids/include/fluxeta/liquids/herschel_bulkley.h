// The Herschel–Bulkley liquid: τ = τy + K·γ̇^n above its yield stress τy; below it the
// liquid stands still (a plug). Bingham's liquid is n = 1. Its flows have closed forms:
// with U = τ − τy and γ̇w = (U/K)^(1/n), p = 1/n,
//   ∫ s·γ̇ ds  = γ̇w·[U²/(p+2) + τy·U/(p+1)]
//   ∫ s²·γ̇ ds = γ̇w·[U³/(p+3) + 2τy·U²/(p+2) + τy²·U/(p+1)]
// (from τy to τ; the integrands are zero below τy).
#pragma once

namespace fluxeta::liquids {

struct HerschelBulkley {
  double yieldStress = 0;  // τy (Pa)
  double consistency = 1;  // K (Pa.s^n)
  double index = 1;        // n (-)

  // τ/γ̇: infinite at γ̇ = 0 where τy > 0.
  double Viscosity(double shearRate) const;
  // τ(γ̇) = τy + K·γ̇^n; τy at rest.
  double Stress(double shearRate) const;
  double ShearRate(double stress) const;
  // d ln τ / d ln γ̇ = n·K·γ̇^n/τ.
  double FlowIndex(double shearRate) const;
  double YieldStress() const { return yieldStress; }
  double SlotMoment(double tau) const;
  double PipeMoment(double tau) const;
};

}  // namespace fluxeta::liquids
