#include "manifold_friction.h"

#include <cmath>

namespace fluxeta::solver {

double ManifoldFriction::Correction(double index) {
  if (index != lastIndex_) {
    lastIndex_ = index;
    lastCorrection_ = std::pow((3 * index + 1) / (4 * index), index);
  }
  return lastCorrection_;
}

double ManifoldFriction::ApparentShearRate(const DieStageSection& section, double flow) const {
  return frictionFactor_ * std::fabs(flow) / (2 * section.A * section.Dh);
}

double ManifoldFriction::ApparentViscosity(double apparentShearRate) {
  return Correction(liquid_.FlowIndex(apparentShearRate)) * liquid_.Viscosity(apparentShearRate);
}

double ManifoldFriction::Gradient(const DieStageSection& section, double flow) {
  if (flow == 0) {
    return 0;
  }
  const double viscosity = ApparentViscosity(ApparentShearRate(section, flow));
  const double velocity = flow / section.A;
  return 2 * frictionFactor_ * viscosity * velocity / (section.Dh * section.Dh) *
         section.pathFactor;
}

}  // namespace fluxeta::solver
