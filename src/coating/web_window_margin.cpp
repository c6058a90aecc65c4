#include "fluxeta/coating/web_window_margin.h"

#include <algorithm>
#include <limits>

#include "fluxeta/base/fault_flags.h"
#include "fluxeta/coating/bead_model.h"

namespace fluxeta::coating {

double WebWindowMargin(const OperatingPoint& point, const WebFlow& flow) {
  base::FaultFlagScope faults;
  const Bead bead = MakeBead(point, flow.liquid);
  const double lowFlow = LowFlowThickness(bead);
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  double thinnest = kInfinity;
  double thickest = -kInfinity;
  // The vacuums that hold every station with a film, within the box's range.
  double lowestVacuum = point.lowestVacuum;
  double highestVacuum = point.highestVacuum;
  for (const double flowPerWidth : flow.flowPerWidth) {
    const double wetThickness = flowPerWidth / point.webSpeed;  // cm2/s over cm/s
    thinnest = std::min(thinnest, wetThickness);
    thickest = std::max(thickest, wetThickness);
    if (wetThickness > 0) {
      const VacuumLimits vacuum = BeadVacuumLimits(bead, wetThickness);
      lowestVacuum = std::max(lowestVacuum, vacuum.least);
      highestVacuum = std::min(highestVacuum, vacuum.most);
    }
  }
  const double beadVacuumSpan = UpstreamLipPressureRise(bead) + MostVacuumCapillaryAllowance(bead) -
                                LeastVacuumCapillaryAllowance(bead);
  const double margin =
      std::min({(thinnest - lowFlow) / lowFlow, (point.coatingGap - thickest) / point.coatingGap,
                (highestVacuum - lowestVacuum) / beadVacuumSpan});
  base::RaiseOnFaultFlags();
  return margin;
}

}  // namespace fluxeta::coating
