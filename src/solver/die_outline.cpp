#include "fluxeta/solver/die_outline.h"

#include <cmath>

#include "fluxeta/base/fault_flags.h"

namespace fluxeta::solver {

DieOutline SampleDieOutline(const DieModel& model, int intervals) {
  const base::FaultFlagScope faults;
  const cases::DieDocument& document = model.document();
  const bool centre = document.feed() == cases::DieFeed::Centre;
  DieOutline outline;
  outline.width = document.width();
  outline.circular = true;
  const double spacing = outline.width / intervals;
  const double feedAt = centre ? outline.width / 2 : 0;
  for (int k = 0; k <= intervals; ++k) {
    const double x = k * spacing;
    // Distance from the feed, within the solved part.
    const double fromFeed = std::fmin(std::fabs(x - feedAt), model.solvedWidth());
    const DieSection section = model.SectionAt(fromFeed);
    outline.x.push_back(x);
    outline.land.push_back(section.L);
    outline.depth.push_back(section.depth);
    outline.radius.push_back(section.radius);
    outline.circular = outline.circular && !std::isnan(section.radius);
  }
  base::RaiseOnFaultFlags();
  return outline;
}

}  // namespace fluxeta::solver
