#include "fluxeta/liquids/liquid.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"
#include "fluxeta/liquids/temperature_shift.h"
#include "wall_stress_inverse.h"

namespace fluxeta::liquids {

namespace {

template <typename M>
concept HasStress = requires(const M& m, double rate) {
  m.Stress(rate);
};
template <typename M>
concept HasStressAtRate = requires(const M& m, double rate) {
  m.SlotStressAtRate(rate);
  m.PipeStressAtRate(rate);
};

}  // namespace

double Liquid::Viscosity(double shearRate) const {
  return shift_ *
         std::visit([&](const auto& m) { return m.Viscosity(shift_ * shearRate); }, model_);
}

double Liquid::Stress(double shearRate) const {
  return std::visit(
      [&]<typename M>(const M& m) {
        const double shifted = shift_ * shearRate;  // τ(γ̇, T) = τ(aT·γ̇, T_ref)
        if constexpr (HasStress<M>) {
          return m.Stress(shifted);
        } else {
          return m.Viscosity(shifted) * shifted;
        }
      },
      model_);
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

bool Liquid::HasConstantFlowIndex() const {
  return std::holds_alternative<Newtonian>(model_) || std::holds_alternative<PowerLaw>(model_);
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

// Where the model solves M/τ^k = rate itself it is given the rate of the liquid at the
// reference temperature, aT times this one's; otherwise the flow is inverted by a root.
double Liquid::SlotWallStress(double flowPerWidth, double gap) const {
  if (flowPerWidth == 0) {
    return 0;
  }
  const double target = std::fabs(flowPerWidth);
  const double tau = std::visit(
      [&]<typename M>(const M& m) {
        if constexpr (HasStressAtRate<M>) {
          return m.SlotStressAtRate(shift_ * 2 * target / (gap * gap));
        } else {
          // The stress at the Newtonian wall shear rate 6q/H² of the viscosity there: a
          // start within a factor of a few of the answer for any flow curve.
          const double guess = Stress(6 * target / (gap * gap));
          return InvertFlow([&](double t) { return SlotFlowPerWidth(t, gap); }, target, guess,
                            YieldStress());
        }
      },
      model_);
  return std::copysign(tau, flowPerWidth);
}

double Liquid::PipeWallStress(double flow, double radius) const {
  if (flow == 0) {
    return 0;
  }
  const double target = std::fabs(flow);
  const double cube = std::numbers::pi * radius * radius * radius;  // πR³
  const double tau = std::visit(
      [&]<typename M>(const M& m) {
        if constexpr (HasStressAtRate<M>) {
          return m.PipeStressAtRate(shift_ * target / cube);
        } else {
          const double guess = Stress(4 * target / cube);  // at 4Q/(πR³)
          return InvertFlow([&](double t) { return PipeFlow(t, radius); }, target, guess,
                            YieldStress());
        }
      },
      model_);
  return std::copysign(tau, flow);
}

Liquid Liquid::Shifted(double shiftFactor) const {
  Liquid shifted = *this;
  shifted.shift_ = shift_ * shiftFactor;
  return shifted;
}

namespace {

Liquid::Model ModelOf(const cases::LiquidDocument& document) {
  const auto p = [&](std::string_view key) { return document.Parameter(key); };
  switch (document.model) {
    case cases::LiquidModel::Newtonian:
      return Newtonian{p("viscosity")};
    case cases::LiquidModel::PowerLaw:
      return PowerLaw{p("K"), p("n")};
    case cases::LiquidModel::Window:
      return WindowLiquid(p("eta0"), p("gamma0"), p("n"), p("gammacr"));
    case cases::LiquidModel::Cross:
      return Cross(CrossCurve{p("eta0"), p("eta_inf"), p("lambda"), p("m")});
    case cases::LiquidModel::CarreauYasuda:
      return CarreauYasuda(
          CarreauYasudaCurve{p("eta0"), p("eta_inf"), p("lambda"), p("a"), p("n")});
    case cases::LiquidModel::Carreau:
      return CarreauYasuda(CarreauYasudaCurve{p("eta0"), p("eta_inf"), p("lambda"),
                                              cases::kCarreauTransitionIndex, p("n")});
    case cases::LiquidModel::HerschelBulkley:
      return HerschelBulkley{p("tau_y"), p("K"), p("n")};
    case cases::LiquidModel::Bingham:
      return HerschelBulkley{p("tau_y"), p("K"), cases::kBinghamIndex};
  }
  throw cases::DocumentError("fluid.model: not a liquid model");
}

}  // namespace

Liquid MakeLiquid(const cases::LiquidDocument& document) {
  Liquid liquid(ModelOf(document));
  if (document.temperature) {
    const double shift = ShiftFactor(*document.temperature);
    if (!(std::isfinite(shift) && shift > 0)) {
      throw cases::DocumentError(
          "fluid.temperature: the shift factor a_T to the die temperature is out of range (" +
          cases::NumberText(shift) + ")");
    }
    liquid = liquid.Shifted(shift);
  }
  return liquid;
}

}  // namespace fluxeta::liquids
