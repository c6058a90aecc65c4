// The window's die: the cavity area falls as (1 − x/W)^γ to nothing at the far end, its
// perimeter as the square root of the area, and the slot length linearly.
#include <cmath>
#include <limits>
#include <numbers>

#include "die_sections.h"

namespace fluxeta::solver {

namespace {

class Tapered final : public DieSections {
 public:
  explicit Tapered(const cases::TaperedGeometry& die) : die_(die) {}

  DieSection At(double x) const override {
    const double remaining = 1 - x / die_.W;  // 1 − x/W
    DieSection section;
    section.A = die_.Ain * std::pow(remaining, die_.gamma);
    section.Pe = die_.Pein * std::sqrt(section.A / die_.Ain);
    section.dAdx = AreaSlope(remaining);
    section.L = die_.Lend + (die_.Lin - die_.Lend) * (die_.W - x) / die_.W;
    section.dLdx = -(die_.Lin - die_.Lend) / die_.W;
    section.H = die_.H;
    section.radius = std::numeric_limits<double>::quiet_NaN();
    section.depth = 2 * std::sqrt(section.A / std::numbers::pi);
    return section;
  }

  bool SingularAtClosedEnd() const override { return die_.gamma > 0; }

 private:
  // dA/dx = −γ·(Ain/W)·(1 − x/W)^(γ−1), without end for γ < 1 at the far end.
  double AreaSlope(double remaining) const {
    if (die_.gamma == 0) {
      return 0;
    }
    if (remaining == 0 && die_.gamma < 1) {
      return -std::numeric_limits<double>::infinity();
    }
    return -die_.gamma * die_.Ain / die_.W * std::pow(remaining, die_.gamma - 1);
  }

  cases::TaperedGeometry die_;
};

}  // namespace

std::unique_ptr<DieSections> TaperedSections(const cases::TaperedGeometry& die) {
  return std::make_unique<Tapered>(die);
}

}  // namespace fluxeta::solver
