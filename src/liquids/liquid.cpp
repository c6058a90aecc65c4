#include "fluxeta/liquids/liquid.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "fluxeta/case/document_error.h"
#include "wall_stress_inverse.h"

namespace fluxeta::liquids {

double Liquid::Viscosity(double shearRate) const {
  return shift_ *
         std::visit([&](const auto& m) { return m.Viscosity(shift_ * shearRate); }, model_);
}

double Liquid::Stress(double shearRate) const {
  return Viscosity(shearRate) * shearRate;
}

double Liquid::ShearRate(double stress) const {
  if (stress <= YieldStress()) {
    return 0;
  }
  return std::visit([&](const auto& m) { return m.ShearRate(stress); }, model_) / shift_;
}

double Liquid::FlowIndex(double shearRate) const {
  return std::visit([&](const auto& m) { return m.FlowIndex(shift_ * shearRate); }, model_);
}

double Liquid::YieldStress() const {
  return std::visit([](const auto& m) { return m.YieldStress(); }, model_);
}

double Liquid::SlotMoment(double wallStress) const {
  return std::visit([&](const auto& m) { return m.SlotMoment(wallStress); }, model_) / shift_;
}

double Liquid::PipeMoment(double wallStress) const {
  return std::visit([&](const auto& m) { return m.PipeMoment(wallStress); }, model_) / shift_;
}

double Liquid::SlotFlowPerWidth(double wallStress, double gap) const {
  const double tau = std::fabs(wallStress);
  if (tau <= YieldStress()) {
    return 0;
  }
  const double flow = gap * gap / (2 * tau * tau) * SlotMoment(tau);
  return std::copysign(flow, wallStress);
}

double Liquid::PipeFlow(double wallStress, double radius) const {
  const double tau = std::fabs(wallStress);
  if (tau <= YieldStress()) {
    return 0;
  }
  const double flow =
      std::numbers::pi * radius * radius * radius / (tau * tau * tau) * PipeMoment(tau);
  return std::copysign(flow, wallStress);
}

double Liquid::SlotWallStress(double flowPerWidth, double gap) const {
  if (flowPerWidth == 0) {
    return 0;
  }
  const double target = std::fabs(flowPerWidth);
  // The stress at the Newtonian wall shear rate 6q/H² of the viscosity there: a start
  // within a factor of a few of the answer for any flow curve.
  const double guess = Stress(6 * target / (gap * gap));
  const double tau =
      InvertFlow([&](double t) { return SlotFlowPerWidth(t, gap); }, target, guess, YieldStress());
  return std::copysign(tau, flowPerWidth);
}

double Liquid::PipeWallStress(double flow, double radius) const {
  if (flow == 0) {
    return 0;
  }
  const double target = std::fabs(flow);
  const double guess =
      Stress(4 * target / (std::numbers::pi * radius * radius * radius));  // 4Q/(πR³)
  const double tau =
      InvertFlow([&](double t) { return PipeFlow(t, radius); }, target, guess, YieldStress());
  return std::copysign(tau, flow);
}

Liquid Liquid::Shifted(double shiftFactor) const {
  Liquid shifted = *this;
  shifted.shift_ = shift_ * shiftFactor;
  return shifted;
}

Liquid MakeLiquid(const cases::LiquidDocument& document) {
  switch (document.model) {
    case cases::LiquidModel::Newtonian:
      return Liquid(Newtonian{document.Parameter("viscosity")});
    case cases::LiquidModel::PowerLaw:
      return Liquid(PowerLaw{document.Parameter("K"), document.Parameter("n")});
    case cases::LiquidModel::Window:
      return Liquid(WindowLiquid(document.Parameter("eta0"), document.Parameter("gamma0"),
                                 document.Parameter("n"), document.Parameter("gammacr")));
  }
  throw cases::DocumentError("fluid.model: not a liquid model");
}

}  // namespace fluxeta::liquids
