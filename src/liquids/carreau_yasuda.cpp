#include "fluxeta/liquids/carreau_yasuda.h"

#include <cmath>

namespace fluxeta::liquids {

double CarreauYasudaCurve::Viscosity(double shearRate) const {
  const double x = std::pow(timeConstant * shearRate, transitionIndex);
  const double thinning = std::pow(1 + x, (powerLawIndex - 1) / transitionIndex);
  return infiniteShearViscosity + (zeroShearViscosity - infiniteShearViscosity) * thinning;
}

double CarreauYasudaCurve::FlowIndex(double shearRate) const {
  const double x = std::pow(timeConstant * shearRate, transitionIndex);
  const double thinning = std::pow(1 + x, (powerLawIndex - 1) / transitionIndex);
  const double excess = (zeroShearViscosity - infiniteShearViscosity) * thinning;  // η − η∞
  const double viscosity = infiniteShearViscosity + excess;
  return 1 + excess / viscosity * (powerLawIndex - 1) * (x / (1 + x));
}

}  // namespace fluxeta::liquids
