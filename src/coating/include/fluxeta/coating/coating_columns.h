// The figures of a coating window as the fronts print them: one row per station column and
// per figure of the web, with its name and unit. A new column is a row here.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "fluxeta/coating/coating_window.h"

namespace fluxeta::coating {

struct StationColumn {
  std::string_view name;
  std::string_view unit;
  // Absent where the station has no such figure (its pressures where nothing flows).
  std::optional<double> (*value)(const StationWindow& station);
};

// x, flow_per_width, wet_thickness, low_flow_margin, feed_pressure, least_vacuum,
// most_vacuum, vacuum_too_low_margin, vacuum_too_high_margin; each station's number and
// verdict go beside them.
extern const std::array<StationColumn, 9> kStationColumns;

struct WindowFigure {
  std::string_view name;
  std::string_view unit;
  std::optional<double> (*value)(const CoatingWindow& window);
};

// The operating point: web_speed, coating_gap, upstream_lip, downstream_lip, surface_tension,
// lowest_vacuum, highest_vacuum.
extern const std::array<WindowFigure, 7> kOperatingPointFigures;

// The bead (shear_rate, viscosity, capillary_number), the window at the web speed
// (low_flow_thickness, vacuum_too_low_thickness, vacuum_too_high_thickness, thinnest_film,
// thickest_film) and the vacuum that holds the web (web_vacuum_lowest, web_vacuum_highest).
extern const std::array<WindowFigure, 10> kWindowFigures;

// The unit of an outside run's margin: cm for low_flow, Pa for the vacuum.
std::string_view MarginUnit(Verdict verdict);

}  // namespace fluxeta::coating
