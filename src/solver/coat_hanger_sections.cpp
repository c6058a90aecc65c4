// A coat-hanger die: a circular manifold whose radius and land length change across the
// width, given as tables or synthesised for an even flow.
#include <memory>

#include "die_sections.h"
#include "fluxeta/solver/coat_hanger_design.h"
#include "monotone_cubic.h"

namespace fluxeta::solver {

namespace {

class TabulatedCoatHanger final : public DieSections {
 public:
  TabulatedCoatHanger(const cases::TabulatedCoatHanger& tables, double gap)
      : radius_(tables.radius.x, tables.radius.value),
        land_(tables.landLength.x, tables.landLength.value),
        gap_(gap) {}

  DieSection At(double x) const override {
    DieSection section = CircularManifold(radius_(x), radius_.Slope(x));
    section.L = land_(x);
    section.dLdx = land_.Slope(x);
    section.H = gap_;
    return section;
  }

 private:
  MonotoneCubic radius_, land_;
  double gap_;
};

// The design measures from the closed end, the sections from the feed.
class SynthesisedCoatHanger final : public DieSections {
 public:
  SynthesisedCoatHanger(const UniformCoatHanger& design, double length, double gap)
      : design_(design), length_(length), gap_(gap) {}

  DieSection At(double x) const override {
    const double xi = length_ - x;
    DieSection section = CircularManifold(design_.Radius(xi), -design_.RadiusSlope(xi));
    section.L = design_.LandLength(xi);
    section.dLdx = -design_.LandSlope(xi);
    section.H = gap_;
    return section;
  }

 private:
  UniformCoatHanger design_;
  double length_, gap_;
};

}  // namespace

std::unique_ptr<DieSections> CoatHangerSections(const cases::CoatHangerGeometry& die,
                                                const liquids::Liquid& liquid, double flowRate) {
  const double length = die.feed == cases::DieFeed::Centre ? die.width / 2 : die.width;
  if (const auto* tables = std::get_if<cases::TabulatedCoatHanger>(&die.design)) {
    return std::make_unique<TabulatedCoatHanger>(*tables, die.gap);
  }
  const auto& uniform = std::get<cases::UniformCoatHanger>(die.design);
  const UniformCoatHanger design(liquid, flowRate / length, die.gap, length, uniform.endLandLength,
                                 uniform.minRadius);
  return std::make_unique<SynthesisedCoatHanger>(design, length, die.gap);
}

}  // namespace fluxeta::solver
