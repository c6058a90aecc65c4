// The geometry of each die family across the width: a row of the family table of the case
// layer is read there and given its sections here.
#pragma once

#include <memory>

#include "fluxeta/case/die_document.h"
#include "fluxeta/liquids/liquid.h"
#include "fluxeta/solver/die_model.h"

namespace fluxeta::solver {

class DieSections {
 public:
  virtual ~DieSections() = default;
  // The section at x from the feed, 0 ≤ x ≤ the solved width.
  virtual DieSection At(double x) const = 0;
  virtual bool SingularAtClosedEnd() const { return false; }
};

// The sections of each family; the liquid and the solved flow are for designs that are
// synthesised for them.
std::unique_ptr<DieSections> TaperedSections(const cases::TaperedGeometry& die);
std::unique_ptr<DieSections> TDieSections(const cases::TDieGeometry& die);
std::unique_ptr<DieSections> CoatHangerSections(const cases::CoatHangerGeometry& die,
                                                const liquids::Liquid& liquid, double flowRate);
std::unique_ptr<DieSections> ProfileSections(const cases::ProfileGeometry& die);

}  // namespace fluxeta::solver

namespace fluxeta::solver {

// The manifold part of a section of a circular manifold of radius R (cm) changing by
// dR/dx across the width.
DieSection CircularManifold(double radius, double radiusSlope);

}  // namespace fluxeta::solver
