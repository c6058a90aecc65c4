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

double ManifoldFriction::RuleViscosity(double apparentShearRate) {
  return Correction(liquid_.FlowIndex(apparentShearRate)) * liquid_.Viscosity(apparentShearRate);
}

double ManifoldFriction::PipeWallStress(const DieStageSection& section, double flow) const {
  return liquid_.PipeWallStress(frictionFactor_ / kCircleFrictionFactor * flow, section.radius);
}

double ManifoldFriction::ApparentViscosity(const DieStageSection& section, double flow) {
  const double apparentShearRate = ApparentShearRate(section, flow);
  if (ExactPipeFlow(section)) {
    return std::fabs(PipeWallStress(section, flow)) / apparentShearRate;
  }
  return RuleViscosity(apparentShearRate);
}

double ManifoldFriction::Gradient(const DieStageSection& section, double flow) {
  if (flow == 0) {
    return 0;
  }
  if (ExactPipeFlow(section)) {
    return 2 * PipeWallStress(section, flow) / section.radius * section.pathFactor;
  }
  const double viscosity = RuleViscosity(ApparentShearRate(section, flow));
  const double velocity = flow / section.A;
  return 2 * frictionFactor_ * viscosity * velocity / (section.Dh * section.Dh) *
         section.pathFactor;
}

}  // namespace fluxeta::solver
