// Will the bead hold across the whole web? The coating window of an operating point and a
// solved die, station by station: each station's film t = q/V against the low-flow limit and
// against the vacuum its bead needs and bears, and one verdict for the web.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "fluxeta/coating/bead_model.h"
#include "fluxeta/coating/operating_point.h"
#include "fluxeta/coating/web_flow.h"
#include "fluxeta/coating/window_curves.h"

namespace fluxeta::coating {

// Checked in this order; a station outside on several counts takes the first.
enum class Verdict {
  Inside,
  LowFlow,        // the film is thinner than the bead can form
  VacuumTooLow,   // the bead needs more vacuum than the box can hold
  VacuumTooHigh,  // the least vacuum of the box pulls the bead off the upstream lip
};

// "inside", "low_flow", "vacuum_too_low", "vacuum_too_high".
std::string_view VerdictName(Verdict verdict);

// The bead's pressures for a station whose film flows (q > 0).
struct StationPressures {
  double feedSlot = 0;             // p_f (Pa)
  VacuumLimits vacuum;             // the vacuum it needs and bears (Pa)
  double vacuumTooLowMargin = 0;   // the box's highest vacuum − vacuum.least (Pa)
  double vacuumTooHighMargin = 0;  // vacuum.most − the box's lowest vacuum (Pa)
};

struct StationWindow {
  int station = 0;                            // 1 … N
  double x = 0;                               // cm
  double flowPerWidth = 0;                    // q (cm2/s)
  double wetThickness = 0;                    // t = q/V (cm)
  double lowFlowMargin = 0;                   // t − the low-flow thickness (cm)
  std::optional<StationPressures> pressures;  // absent where nothing flows
  Verdict verdict = Verdict::Inside;
};

enum class WebVerdict {
  Inside,          // one vacuum of the box's range holds every station
  Outside,         // some station is outside the window
  NoCommonVacuum,  // every station is inside alone, but no one vacuum holds them all
};

// "inside", "outside", "no_common_vacuum".
std::string_view WebVerdictName(WebVerdict verdict);

// A run of neighbouring stations outside the window on the same count, and how far outside
// the worst of them is: its margin (cm for low_flow, Pa for the vacuum; negative).
struct OutsideRun {
  Verdict verdict = Verdict::LowFlow;
  int firstStation = 0;
  int lastStation = 0;
  double worstMargin = 0;
};

struct VacuumBand {
  double lowest = 0;  // Pa
  double highest = 0;
};

struct CoatingWindow {
  OperatingPoint point;
  Bead bead;
  WindowLimits limits;  // the films the bead holds at the web speed
  std::vector<StationWindow> stations;
  WebVerdict verdict = WebVerdict::Inside;
  std::vector<OutsideRun> outside;      // in station order
  std::optional<VacuumBand> webVacuum;  // the vacuums that hold every station, when any does
};

// The window of the operating point over the die's flow. Raises cases::DocumentError naming
// "coating_gap" for a station whose film is not thinner than the gap, and FloatingPointError
// where the arithmetic fails.
CoatingWindow EvaluateCoatingWindow(const OperatingPoint& point, const WebFlow& flow);

}  // namespace fluxeta::coating
