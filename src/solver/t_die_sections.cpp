// A T-die: a manifold of one cross-section across the width, one land length, one gap.
#include <cmath>
#include <limits>
#include <numbers>

#include "die_sections.h"

namespace fluxeta::solver {

namespace {

using cases::ManifoldShape;

// A circle of radius r with the two tangents from a tip at distance d = height − r below its
// centre: the tangents are t = √(d² − r²) long and meet the circle at the half-angle β from
// the tip, sin β = r/d. The kite of the tangents adds r·t to the area and replaces the arc
// of π − 2β between the tangent points, whose sector is r²(π − 2β)/2.
DieSection Teardrop(double radius, double height) {
  const double tipDistance = height - radius;
  const double tangent = std::sqrt(tipDistance * tipDistance - radius * radius);
  const double halfAngle = std::asin(radius / tipDistance);
  DieSection section;
  section.A = radius * radius * (std::numbers::pi / 2 + halfAngle) + radius * tangent;
  section.Pe = radius * (std::numbers::pi + 2 * halfAngle) + 2 * tangent;
  section.radius = std::numeric_limits<double>::quiet_NaN();
  section.depth = height;
  return section;
}

DieSection Rectangle(double width, double height) {
  DieSection section;
  section.A = width * height;
  section.Pe = 2 * (width + height);
  section.radius = std::numeric_limits<double>::quiet_NaN();
  section.depth = width;
  return section;
}

DieSection Manifold(const cases::ManifoldSection& manifold) {
  switch (manifold.shape) {
    case ManifoldShape::Teardrop:
      return Teardrop(manifold.radius, manifold.height);
    case ManifoldShape::Rectangle:
      return Rectangle(manifold.width, manifold.height);
    case ManifoldShape::Circle:
      break;
  }
  return CircularManifold(manifold.radius, 0);
}

class TDie final : public DieSections {
 public:
  explicit TDie(const cases::TDieGeometry& die) : section_(Manifold(die.manifold)) {
    section_.L = die.landLength;
    section_.dLdx = 0;
    section_.H = die.gap;
  }

  DieSection At(double) const override { return section_; }

 private:
  DieSection section_;
};

}  // namespace

DieSection CircularManifold(double radius, double radiusSlope) {
  DieSection section;
  section.A = std::numbers::pi * radius * radius;
  section.Pe = 2 * std::numbers::pi * radius;
  section.dAdx = 2 * std::numbers::pi * radius * radiusSlope;
  section.radius = radius;
  section.depth = 2 * radius;
  return section;
}

std::unique_ptr<DieSections> TDieSections(const cases::TDieGeometry& die) {
  return std::make_unique<TDie>(die);
}

}  // namespace fluxeta::solver
