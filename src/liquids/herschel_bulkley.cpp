#include "fluxeta/liquids/herschel_bulkley.h"

#include <cmath>

namespace fluxeta::liquids {

double HerschelBulkley::Viscosity(double shearRate) const {
  return yieldStress / shearRate + consistency * std::pow(shearRate, index - 1);
}

double HerschelBulkley::Stress(double shearRate) const {
  return yieldStress + consistency * std::pow(shearRate, index);
}

double HerschelBulkley::ShearRate(double stress) const {
  return stress > yieldStress ? std::pow((stress - yieldStress) / consistency, 1 / index) : 0;
}

double HerschelBulkley::FlowIndex(double shearRate) const {
  if (yieldStress == 0) {
    return index;
  }
  const double viscous = consistency * std::pow(shearRate, index);
  return index * viscous / (yieldStress + viscous);
}

double HerschelBulkley::SlotMoment(double tau) const {
  if (!(tau > yieldStress)) {
    return 0;
  }
  const double p = 1 / index;
  const double excess = tau - yieldStress;  // U
  return ShearRate(tau) * (excess * excess / (p + 2) + yieldStress * excess / (p + 1));
}

double HerschelBulkley::PipeMoment(double tau) const {
  if (!(tau > yieldStress)) {
    return 0;
  }
  const double p = 1 / index;
  const double excess = tau - yieldStress;
  return ShearRate(tau) *
         (excess * excess * excess / (p + 3) + 2 * yieldStress * excess * excess / (p + 2) +
          yieldStress * yieldStress * excess / (p + 1));
}

}  // namespace fluxeta::liquids
