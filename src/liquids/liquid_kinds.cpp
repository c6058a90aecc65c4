#include "fluxeta/liquids/liquid_kinds.h"

#include <cmath>

namespace fluxeta::liquids {

double PowerLaw::Viscosity(double shearRate) const {
  return consistency * std::pow(shearRate, index - 1);
}

double PowerLaw::ShearRate(double stress) const {
  return std::pow(stress / consistency, 1 / index);
}

// ∫₀^τ s^(1+1/n)·K^(−1/n) ds = τ²·γ̇(τ)/(2 + 1/n).
double PowerLaw::SlotMoment(double tau) const {
  return tau * tau * ShearRate(tau) * index / (2 * index + 1);
}

// ∫₀^τ s^(2+1/n)·K^(−1/n) ds = τ³·γ̇(τ)/(3 + 1/n).
double PowerLaw::PipeMoment(double tau) const {
  return tau * tau * tau * ShearRate(tau) * index / (3 * index + 1);
}

// M1/τ² = γ̇(τ)·n/(2n+1) and M2/τ³ = γ̇(τ)·n/(3n+1), solved for τ.
double PowerLaw::SlotStressAtRate(double rate) const {
  return consistency * std::pow(rate * (2 * index + 1) / index, index);
}

double PowerLaw::PipeStressAtRate(double rate) const {
  return consistency * std::pow(rate * (3 * index + 1) / index, index);
}

WindowLiquid::WindowLiquid(double eta0, double gamma0, double n, double gammaCr)
    : powerLaw{eta0 * std::pow(gamma0, 1 - n), n}, criticalShearRate(gammaCr) {
  criticalViscosity = powerLaw.Viscosity(gammaCr);
  criticalStress = criticalViscosity * gammaCr;
}

double WindowLiquid::Viscosity(double shearRate) const {
  return shearRate > criticalShearRate ? powerLaw.Viscosity(shearRate) : criticalViscosity;
}

double WindowLiquid::ShearRate(double stress) const {
  return stress > criticalStress ? powerLaw.ShearRate(stress) : stress / criticalViscosity;
}

// The Newtonian part up to τcr, τcr²·γcr/3, plus the power law's from τcr to τ.
double WindowLiquid::SlotMoment(double tau) const {
  if (tau <= criticalStress) {
    return tau * tau * tau / (3 * criticalViscosity);
  }
  const double n = powerLaw.index;
  const double critical = criticalStress * criticalStress * criticalShearRate;
  return critical / 3 + (tau * tau * powerLaw.ShearRate(tau) - critical) * n / (2 * n + 1);
}

double WindowLiquid::PipeMoment(double tau) const {
  if (tau <= criticalStress) {
    return tau * tau * tau * tau / (4 * criticalViscosity);
  }
  const double n = powerLaw.index;
  const double critical = criticalStress * criticalStress * criticalStress * criticalShearRate;
  return critical / 4 + (tau * tau * tau * powerLaw.ShearRate(tau) - critical) * n / (3 * n + 1);
}

}  // namespace fluxeta::liquids
