// A liquid as the general die model sees it: its viscosity at a shear rate, the shear rate
// at a stress, and the exact steady flows through a plane slit and a circular pipe at a
// given wall stress, from the moments of its flow curve:
//   slot  q = (H²/(2τ²))·∫₀^τ s·γ̇(s) ds   (flow per unit width, cm2/s)
//   pipe  Q = (πR³/τ³)·∫₀^τ s²·γ̇(s) ds    (cm3/s)
// with γ̇(s) the shear rate at which the liquid's stress is s (zero up to a yield stress).
// Stresses in Pa, shear rates in 1/s, lengths in cm. A flow under a negative wall stress
// runs backwards: every flow is odd in the stress.
//
// The arithmetic is plain double: a caller checks the floating-point fault flags around a
// unit of work (fault_flags.h).
#pragma once

#include <variant>

#include "fluxeta/case/liquid_document.h"
#include "fluxeta/liquids/herschel_bulkley.h"
#include "fluxeta/liquids/liquid_kinds.h"
#include "fluxeta/liquids/tabulated_liquid.h"

namespace fluxeta::liquids {

class Liquid {
 public:
  using Model =
      std::variant<Newtonian, PowerLaw, WindowLiquid, Cross, CarreauYasuda, HerschelBulkley>;

  explicit Liquid(Model model) : model_(std::move(model)) {}

  // η(γ̇) (Pa.s) at a shear rate γ̇ > 0 (γ̇ = 0 too where the viscosity is finite there;
  // a yield-stress liquid's is infinite at rest).
  double Viscosity(double shearRate) const;
  // τ(γ̇) (Pa), γ̇ ≥ 0: η(γ̇)·γ̇, and the yield stress at rest.
  double Stress(double shearRate) const;
  // γ̇(τ) (1/s): the inverse of Stress above the yield stress, zero at or below it; τ ≥ 0.
  double ShearRate(double stress) const;
  // d ln τ / d ln γ̇ at γ̇ > 0: the local power-law index (1 for a Newtonian liquid).
  double FlowIndex(double shearRate) const;
  // The stress below which the liquid does not flow (Pa); zero for most liquids.
  double YieldStress() const;
  // True when FlowIndex is the same at every shear rate (a Newtonian or power-law liquid).
  bool HasConstantFlowIndex() const;

  // ∫₀^τ s·γ̇(s) ds (Pa²/s) and ∫₀^τ s²·γ̇(s) ds (Pa³/s), τ ≥ 0.
  double SlotMoment(double wallStress) const;
  double PipeMoment(double wallStress) const;

  // q (cm2/s) through a slit of gap H (cm) at wall stress τ = (H/2)·Δp/L.
  double SlotFlowPerWidth(double wallStress, double gap) const;
  // Q (cm3/s) through a pipe of radius R (cm) at wall stress τ = (R/2)·Δp/L.
  double PipeFlow(double wallStress, double radius) const;
  // The wall stresses (Pa) at which the slit passes q and the pipe passes Q: the inverses
  // of the two flows, of the same sign as the flow. A yield-stress liquid's approach its
  // yield stress as the flow vanishes (and are 0 at no flow).
  double SlotWallStress(double flowPerWidth, double gap) const;
  double PipeWallStress(double flow, double radius) const;

  // The same liquid at another temperature, by time–temperature superposition with the
  // shift factor aT: η(γ̇, T) = aT·η(aT·γ̇, T_ref).
  Liquid Shifted(double shiftFactor) const;
  double ShiftFactor() const { return shift_; }

  const Model& model() const { return model_; }

 private:
  Model model_;
  double shift_ = 1;  // aT
};

// The liquid of a document, at its die temperature when it has a temperature law. Raises
// DocumentError for values that make no liquid (a shift factor that is not a finite
// positive number).
Liquid MakeLiquid(const cases::LiquidDocument& document);

}  // namespace fluxeta::liquids
