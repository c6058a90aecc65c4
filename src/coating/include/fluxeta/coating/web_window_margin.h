// How far inside the coating window the whole web lies, as one number that a design search
// can keep at zero or above: "every station inside the window".
#pragma once

#include "fluxeta/coating/operating_point.h"
#include "fluxeta/coating/web_flow.h"

namespace fluxeta::coating {

// The least of three fractions, each zero or more when the web holds on its count:
//   the thinnest film's margin to the low-flow limit, over that limit;
//   the thickest film's margin to the gap, over the gap;
//   the span of the vacuums within the box's range that hold every station,
//     min(highest, least v_most) − max(lowest, greatest v_least), over the span
//     v_most − v_least that the bead holds at any one station (the same at all of them).
// It is zero or more exactly when EvaluateCoatingWindow's verdict for the web is inside
// (but for a film as thick as the gap, which the window refuses). Raises FloatingPointError
// where the arithmetic fails.
double WebWindowMargin(const OperatingPoint& point, const WebFlow& flow);

}  // namespace fluxeta::coating
