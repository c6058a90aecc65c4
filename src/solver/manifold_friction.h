// The manifold's viscous pressure gradient for a flow through a section.
#pragma once

#include <cmath>

#include "fluxeta/liquids/liquid.h"

namespace fluxeta::solver {

// A section as the integration sees it at one stage position.
struct DieStageSection {
  double A;           // cm2
  double Dh;          // 4A/Pe (cm)
  double dAdx;        // cm
  double L;           // cm
  double H;           // cm
  double pathFactor;  // √(1 + L′²): the manifold's length per unit of width
  double radius;      // of a circular manifold (cm); not a number for other shapes
};

// The friction factor λ at which the apparent-shear-rate rule below is the Hagen–Poiseuille
// flow of a circle.
inline constexpr double kCircleFrictionFactor = 16;

// 2λ·η_app·(Q/A)/Dh²·√(1 + L′²) (Pa/cm), with η_app = Kn·η(γ̇_a) the liquid's viscosity at
// the apparent shear rate γ̇_a = λ|Q|/(2A·Dh) times Kn = ((3n + 1)/(4n))^n for the liquid's
// local power-law index n there. The gradient is 4τ_a/Dh·√(1 + L′²) with τ_a = η_app·γ̇_a:
// for a power-law liquid in a circular manifold and λ = 16, γ̇_a = 4Q/(πR³) and τ_a is the
// exact pipe flow's wall stress. A section of another shape takes the same form with its
// own λ.
//
// A circular manifold of a liquid whose index changes with the shear rate takes the wall
// stress τ_w of the liquid's exact pipe flow instead, 2τ_w/R·√(1 + L′²), at the flow
// (λ/16)·Q: the rule above for a power-law liquid at any λ, now for every liquid. A
// liquid of constant index keeps the rule, which is that flow already and cheaper.
//
// One object per solve: it keeps the last Kn, whose power costs more than the rest.
class ManifoldFriction {
 public:
  ManifoldFriction(const liquids::Liquid& liquid, double frictionFactor)
      : liquid_(liquid),
        frictionFactor_(frictionFactor),
        exactInCircles_(!liquid.HasConstantFlowIndex()) {}

  double Gradient(const DieStageSection& section, double flow);

  double ApparentShearRate(const DieStageSection& section, double flow) const;
  // η_app (Pa.s): the manifold's wall stress over the apparent shear rate (1/s).
  double ApparentViscosity(const DieStageSection& section, double flow);

 private:
  bool ExactPipeFlow(const DieStageSection& section) const {
    return exactInCircles_ && !std::isnan(section.radius);
  }
  // τ_w (Pa) of the exact pipe flow, of the sign of the flow.
  double PipeWallStress(const DieStageSection& section, double flow) const;
  // Kn·η(γ̇_a) (Pa.s).
  double RuleViscosity(double apparentShearRate);
  double Correction(double index);

  const liquids::Liquid& liquid_;
  double frictionFactor_;  // λ
  bool exactInCircles_;
  double lastIndex_ = 1;
  double lastCorrection_ = 1;
};

}  // namespace fluxeta::solver
