#include "fluxeta/coating/window_curves.h"

#include <algorithm>
#include <cmath>

#include "fluxeta/base/fault_flags.h"
#include "fluxeta/coating/bead_model.h"

namespace fluxeta::coating {

double WindowLimits::Thinnest() const {
  return std::max(lowFlow, vacuumTooLow);
}

double WindowLimits::Thickest() const {
  return std::min(gap, vacuumTooHigh);
}

WindowLimits WindowLimitsAt(const OperatingPoint& point, const liquids::Liquid& liquid,
                            double webSpeed) {
  const Bead bead = MakeBead(point, liquid, webSpeed);
  return {webSpeed, LowFlowThickness(bead), ThicknessAtLeastVacuum(bead, point.highestVacuum),
          ThicknessAtMostVacuum(bead, point.lowestVacuum), point.coatingGap};
}

std::vector<WindowLimits> WindowCurves(const OperatingPoint& point, const liquids::Liquid& liquid,
                                       double lowestSpeed, double highestSpeed, int count) {
  base::FaultFlagScope faults;
  std::vector<WindowLimits> curves;
  const double step = std::log(highestSpeed / lowestSpeed) / (count - 1);
  for (int k = 0; k < count; ++k) {
    // The ends exactly as given.
    const double speed = k == 0           ? lowestSpeed
                         : k == count - 1 ? highestSpeed
                                          : lowestSpeed * std::exp(step * k);
    curves.push_back(WindowLimitsAt(point, liquid, speed));
  }
  base::RaiseOnFaultFlags();
  return curves;
}

}  // namespace fluxeta::coating
