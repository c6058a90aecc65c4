// The flow curves of the liquid models, each with the same members: η(γ̇), γ̇(τ), the local
// index, the yield stress and the two moments of the flow curve (liquid.h), in closed form,
// and where they are cheap the stresses at which the moments reach a rate. Arguments are
// non-negative; Liquid handles signs and the temperature shift.
#pragma once

namespace fluxeta::liquids {

// η = μ.
struct Newtonian {
  double viscosity = 1;  // μ (Pa.s)

  double Viscosity(double) const { return viscosity; }
  double ShearRate(double stress) const { return stress / viscosity; }
  double FlowIndex(double) const { return 1; }
  double YieldStress() const { return 0; }
  double SlotMoment(double tau) const { return tau * tau * tau / (3 * viscosity); }
  double PipeMoment(double tau) const { return tau * tau * tau * tau / (4 * viscosity); }
  // The wall stresses at which M1/τ² = τ/(3μ) and M2/τ³ = τ/(4μ) reach `rate` (1/s).
  double SlotStressAtRate(double rate) const { return 3 * viscosity * rate; }
  double PipeStressAtRate(double rate) const { return 4 * viscosity * rate; }
};

// η = K·γ̇^(n−1).
struct PowerLaw {
  double consistency = 1;  // K (Pa.s^n)
  double index = 1;        // n (-)

  double Viscosity(double shearRate) const;
  double ShearRate(double stress) const;
  double FlowIndex(double) const { return index; }
  double YieldStress() const { return 0; }
  double SlotMoment(double tau) const;
  double PipeMoment(double tau) const;
  double SlotStressAtRate(double rate) const;
  double PipeStressAtRate(double rate) const;
};

// The window's liquid: the power law through η0 at γ0 above the critical shear rate γcr,
// the constant viscosity ηcr it has at γcr below it. Its stress is continuous at γcr, so
// its flows are too.
struct WindowLiquid {
  WindowLiquid(double eta0, double gamma0, double n, double gammaCr);

  double Viscosity(double shearRate) const;
  double ShearRate(double stress) const;
  double FlowIndex(double shearRate) const {
    return shearRate > criticalShearRate ? powerLaw.index : 1;
  }
  double YieldStress() const { return 0; }
  double SlotMoment(double tau) const;
  double PipeMoment(double tau) const;

  PowerLaw powerLaw;             // K = η0·γ0^(1−n), n
  double criticalShearRate = 0;  // γcr (1/s)
  double criticalViscosity = 0;  // ηcr = K·γcr^(n−1) (Pa.s)
  double criticalStress = 0;     // τcr = ηcr·γcr (Pa)
};

}  // namespace fluxeta::liquids
