// The manifold's viscous pressure gradient for a flow through a section.
#pragma once

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

// 2λ·η_app·(Q/A)/Dh²·√(1 + L′²) (Pa/cm), with η_app = Kn·η(γ̇_a) the liquid's viscosity at
// the apparent shear rate γ̇_a = λ|Q|/(2A·Dh) times Kn = ((3n + 1)/(4n))^n for the liquid's
// local power-law index n there. For a power-law liquid in a circular manifold and λ = 16
// this is the exact pipe flow: γ̇_a = 4Q/(πR³) and τ_w = Kn·K·γ̇_a^n. A section of another
// shape, or another liquid, takes the same form with its own λ. One object per solve: it
// keeps the last Kn, whose power costs more than the rest.
class ManifoldFriction {
 public:
  ManifoldFriction(const liquids::Liquid& liquid, double frictionFactor)
      : liquid_(liquid), frictionFactor_(frictionFactor) {}

  double Gradient(const DieStageSection& section, double flow);

  // η_app (Pa.s) at the apparent shear rate (1/s).
  double ApparentViscosity(double apparentShearRate);
  double ApparentShearRate(const DieStageSection& section, double flow) const;

 private:
  double Correction(double index);

  const liquids::Liquid& liquid_;
  double frictionFactor_;  // λ
  double lastIndex_ = 1;
  double lastCorrection_ = 1;
};

}  // namespace fluxeta::solver
