#include "fluxeta/coating/coating_window.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "fluxeta/base/fault_flags.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/case/document_values.h"

namespace fluxeta::coating {

namespace {

Verdict VerdictOf(const StationWindow& station) {
  if (!station.pressures || station.lowFlowMargin < 0) {
    return Verdict::LowFlow;
  }
  if (station.pressures->vacuumTooLowMargin < 0) {
    return Verdict::VacuumTooLow;
  }
  if (station.pressures->vacuumTooHighMargin < 0) {
    return Verdict::VacuumTooHigh;
  }
  return Verdict::Inside;
}

// The margin that puts the station outside on the count of `verdict`.
double MarginOf(const StationWindow& station, Verdict verdict) {
  switch (verdict) {
    case Verdict::VacuumTooLow:
      return station.pressures->vacuumTooLowMargin;
    case Verdict::VacuumTooHigh:
      return station.pressures->vacuumTooHighMargin;
    case Verdict::LowFlow:
    case Verdict::Inside:
      break;
  }
  return station.lowFlowMargin;
}

std::vector<OutsideRun> OutsideRuns(const std::vector<StationWindow>& stations) {
  std::vector<OutsideRun> runs;
  for (const StationWindow& station : stations) {
    if (station.verdict == Verdict::Inside) {
      continue;
    }
    const double margin = MarginOf(station, station.verdict);
    if (!runs.empty() && runs.back().verdict == station.verdict &&
        runs.back().lastStation + 1 == station.station) {
      runs.back().lastStation = station.station;
      runs.back().worstMargin = std::min(runs.back().worstMargin, margin);
    } else {
      runs.push_back({station.verdict, station.station, station.station, margin});
    }
  }
  return runs;
}

// The vacuums of the box's range within every station's limits, if any.
std::optional<VacuumBand> WebVacuum(const OperatingPoint& point,
                                    const std::vector<StationWindow>& stations) {
  VacuumBand band{point.lowestVacuum, point.highestVacuum};
  for (const StationWindow& station : stations) {
    if (!station.pressures) {
      return std::nullopt;
    }
    band.lowest = std::max(band.lowest, station.pressures->vacuum.least);
    band.highest = std::min(band.highest, station.pressures->vacuum.most);
  }
  if (band.lowest > band.highest) {
    return std::nullopt;
  }
  return band;
}

}  // namespace

std::string_view VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::Inside:
      return "inside";
    case Verdict::LowFlow:
      return "low_flow";
    case Verdict::VacuumTooLow:
      return "vacuum_too_low";
    case Verdict::VacuumTooHigh:
      return "vacuum_too_high";
  }
  return "inside";
}

std::string_view WebVerdictName(WebVerdict verdict) {
  switch (verdict) {
    case WebVerdict::Inside:
      return "inside";
    case WebVerdict::Outside:
      return "outside";
    case WebVerdict::NoCommonVacuum:
      return "no_common_vacuum";
  }
  return "inside";
}

CoatingWindow EvaluateCoatingWindow(const OperatingPoint& point, const WebFlow& flow) {
  base::FaultFlagScope faults;
  CoatingWindow window;
  window.point = point;
  window.bead = MakeBead(point, flow.liquid);
  window.limits = WindowLimitsAt(point, flow.liquid, point.webSpeed);
  for (std::size_t i = 0; i < flow.flowPerWidth.size(); ++i) {
    StationWindow station;
    station.station = static_cast<int>(i) + 1;
    station.x = flow.x[i];
    station.flowPerWidth = flow.flowPerWidth[i];
    station.wetThickness = station.flowPerWidth / point.webSpeed;  // cm2/s over cm/s
    if (station.wetThickness >= point.coatingGap) {
      throw cases::DocumentError(
          "coating_gap: must be wider than the wet film, " + cases::NumberText(point.coatingGap) +
          " cm is not above the film of " + cases::NumberText(station.wetThickness) +
          " cm at station " + std::to_string(station.station));
    }
    station.lowFlowMargin = station.wetThickness - window.limits.lowFlow;
    if (station.wetThickness > 0) {
      StationPressures pressures;
      pressures.feedSlot = FeedSlotPressure(window.bead, station.wetThickness);
      pressures.vacuum = BeadVacuumLimits(window.bead, station.wetThickness);
      pressures.vacuumTooLowMargin = point.highestVacuum - pressures.vacuum.least;
      pressures.vacuumTooHighMargin = pressures.vacuum.most - point.lowestVacuum;
      station.pressures = pressures;
    }
    station.verdict = VerdictOf(station);
    window.stations.push_back(station);
  }
  base::RaiseOnFaultFlags();

  window.outside = OutsideRuns(window.stations);
  window.webVacuum = WebVacuum(point, window.stations);
  window.verdict = !window.outside.empty() ? WebVerdict::Outside
                   : window.webVacuum      ? WebVerdict::Inside
                                           : WebVerdict::NoCommonVacuum;
  return window;
}

}  // namespace fluxeta::coating
