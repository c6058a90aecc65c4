// The coating window in the (V, t) plane: at each web speed, the wet thicknesses that the
// bead of the operating point's gap, lips, surface tension and vacuum range holds.
#pragma once

#include <vector>

#include "fluxeta/coating/operating_point.h"
#include "fluxeta/liquids/liquid.h"

namespace fluxeta::coating {

// The limits at one speed (thicknesses in cm): a film is inside when it is at least
// `lowFlow` and `vacuumTooLow` and at most `vacuumTooHigh` and below `gap`.
struct WindowLimits {
  double webSpeed = 0;       // V (cm/s)
  double lowFlow = 0;        // the thinnest film the bead forms
  double vacuumTooLow = 0;   // the film that needs the box's highest vacuum
  double vacuumTooHigh = 0;  // the film that bears no more than the box's lowest vacuum
  double gap = 0;            // G

  double Thinnest() const;
  double Thickest() const;
};

WindowLimits WindowLimitsAt(const OperatingPoint& point, const liquids::Liquid& liquid,
                            double webSpeed);

// The limits at `count` ≥ 2 speeds evenly spaced on a logarithmic scale from `lowestSpeed`
// to `highestSpeed` (cm/s, both positive), for drawing. Raises FloatingPointError where the
// arithmetic fails.
std::vector<WindowLimits> WindowCurves(const OperatingPoint& point, const liquids::Liquid& liquid,
                                       double lowestSpeed, double highestSpeed, int count);

}  // namespace fluxeta::coating
