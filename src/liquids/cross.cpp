#include "fluxeta/liquids/cross.h"

#include <cmath>

namespace fluxeta::liquids {

double CrossCurve::Viscosity(double shearRate) const {
  const double x = std::pow(timeConstant * shearRate, rateIndex);
  return infiniteShearViscosity + (zeroShearViscosity - infiniteShearViscosity) / (1 + x);
}

double CrossCurve::FlowIndex(double shearRate) const {
  const double x = std::pow(timeConstant * shearRate, rateIndex);
  const double excess = (zeroShearViscosity - infiniteShearViscosity) / (1 + x);  // η − η∞
  const double viscosity = infiniteShearViscosity + excess;
  return 1 - rateIndex * (excess / viscosity) * (x / (1 + x));
}

}  // namespace fluxeta::liquids
