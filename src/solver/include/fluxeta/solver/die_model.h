// The general die model: a die of any geometry across its width, described by a die
// document, with the slot flow a local function of the manifold pressure.
//
// Along the manifold, from the feed (x = 0) to the closed end (x = W, or the die's edge for
// a centre-fed die, solved as one half with half the flow), the flow Q (cm3/s) and the
// pressure P (Pa) follow
//   dQ/dx = −q(P, L, H)     the slot flow per unit width through a plane slit of gap H
//                           under the pressure drop P over the land length L
//   dP/dx = −0.1·(ρα/A)·d(Q²/A)/dx − 2λ·η_app·(Q/A)/Dh²·√(1 + L′²)
// with the manifold's area A, hydraulic diameter Dh = 4A/Pe and apparent viscosity η_app
// (manifold_friction.h: a circular manifold takes the liquid's exact pipe flow); 0.1 turns
// g/(cm2·s2) into Pa/cm.
#pragma once

#include <memory>

#include "fluxeta/case/die_document.h"
#include "fluxeta/liquids/liquid.h"

namespace fluxeta::solver {

// The die's cross-section at one position.
struct DieSection {
  double A = 0;     // manifold area (cm2)
  double Pe = 0;    // manifold perimeter (cm)
  double dAdx = 0;  // dA/dx (cm)
  double L = 0;     // land length (cm)
  double dLdx = 0;  // dL/dx (-)
  double H = 0;     // gap (cm)
  // The radius of a circular manifold (cm); not a number for other shapes.
  double radius = 0;
  // How far the manifold reaches behind the land, seen in the die's plan view (cm): the
  // diameter of a circle, the height of a teardrop, the width of a rectangle, the diameter
  // of the circle of the same area for a die given by areas.
  double depth = 0;
};

class DieSections;

// A die document made ready to solve: its liquid and its geometry (a coat-hanger's uniform
// design synthesised). Immutable; solves of any number of stations share it.
class DieModel {
 public:
  // Raises DocumentError for a document the model cannot use, FloatingPointError where the
  // synthesis of a geometry faults.
  explicit DieModel(const cases::DieDocument& document);

  const cases::DieDocument& document() const { return document_; }
  const liquids::Liquid& liquid() const { return liquid_; }
  // The part solved: the whole die, or one half of a centre-fed die with half the flow.
  double solvedWidth() const { return document_.solvedWidth(); }
  double solvedFlowRate() const;

  // The section at x (cm) from the feed, 0 ≤ x ≤ solvedWidth().
  DieSection SectionAt(double x) const;
  // True when the section degenerates at the closed end (a cavity area that falls to zero):
  // the integration then takes the section of the last interval's middle there.
  bool SingularAtClosedEnd() const;

 private:
  cases::DieDocument document_;
  liquids::Liquid liquid_;
  std::shared_ptr<const DieSections> sections_;
};

}  // namespace fluxeta::solver
