// A die given by its sections at any positions: area, perimeter, land length and gap, each
// interpolated by a monotone cubic.
#include <cmath>
#include <limits>
#include <numbers>

#include "die_sections.h"
#include "monotone_cubic.h"

namespace fluxeta::solver {

namespace {

class Profile final : public DieSections {
 public:
  explicit Profile(const cases::ProfileTable& table)
      : area_(table.x, table.A),
        perimeter_(table.x, table.Pe),
        land_(table.x, table.L),
        gap_(table.x, table.H) {}

  DieSection At(double x) const override {
    DieSection section;
    section.A = area_(x);
    section.Pe = perimeter_(x);
    section.dAdx = area_.Slope(x);
    section.L = land_(x);
    section.dLdx = land_.Slope(x);
    section.H = gap_(x);
    section.radius = std::numeric_limits<double>::quiet_NaN();
    section.depth = 2 * std::sqrt(section.A / std::numbers::pi);
    return section;
  }

 private:
  MonotoneCubic area_, perimeter_, land_, gap_;
};

}  // namespace

std::unique_ptr<DieSections> ProfileSections(const cases::ProfileGeometry& die) {
  return std::make_unique<Profile>(die.profile);
}

}  // namespace fluxeta::solver
