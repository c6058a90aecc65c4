#include "fluxeta/coating/coating_columns.h"

namespace fluxeta::coating {

namespace {

constexpr std::string_view kLength = "cm";
constexpr std::string_view kPressure = "Pa";

std::optional<double> Pressure(const StationWindow& station, double StationPressures::*field) {
  if (!station.pressures) {
    return std::nullopt;
  }
  return (*station.pressures).*field;
}

}  // namespace

const std::array<StationColumn, 9> kStationColumns = {{
    {"x", kLength, [](const StationWindow& s) -> std::optional<double> { return s.x; }},
    {"flow_per_width", "cm2/s",
     [](const StationWindow& s) -> std::optional<double> { return s.flowPerWidth; }},
    {"wet_thickness", kLength,
     [](const StationWindow& s) -> std::optional<double> { return s.wetThickness; }},
    {"low_flow_margin", kLength,
     [](const StationWindow& s) -> std::optional<double> { return s.lowFlowMargin; }},
    {"feed_pressure", kPressure,
     [](const StationWindow& s) { return Pressure(s, &StationPressures::feedSlot); }},
    {"least_vacuum", kPressure,
     [](const StationWindow& s) -> std::optional<double> {
       return s.pressures ? std::optional(s.pressures->vacuum.least) : std::nullopt;
     }},
    {"most_vacuum", kPressure,
     [](const StationWindow& s) -> std::optional<double> {
       return s.pressures ? std::optional(s.pressures->vacuum.most) : std::nullopt;
     }},
    {"vacuum_too_low_margin", kPressure,
     [](const StationWindow& s) { return Pressure(s, &StationPressures::vacuumTooLowMargin); }},
    {"vacuum_too_high_margin", kPressure,
     [](const StationWindow& s) { return Pressure(s, &StationPressures::vacuumTooHighMargin); }},
}};

const std::array<WindowFigure, 7> kOperatingPointFigures = {{
    {"web_speed", "cm/s",
     [](const CoatingWindow& w) -> std::optional<double> { return w.point.webSpeed; }},
    {"coating_gap", kLength,
     [](const CoatingWindow& w) -> std::optional<double> { return w.point.coatingGap; }},
    {"upstream_lip", kLength,
     [](const CoatingWindow& w) -> std::optional<double> { return w.point.upstreamLip; }},
    {"downstream_lip", kLength,
     [](const CoatingWindow& w) -> std::optional<double> { return w.point.downstreamLip; }},
    {"surface_tension", "N/m",
     [](const CoatingWindow& w) -> std::optional<double> { return w.point.surfaceTension; }},
    {"lowest_vacuum", kPressure,
     [](const CoatingWindow& w) -> std::optional<double> { return w.point.lowestVacuum; }},
    {"highest_vacuum", kPressure,
     [](const CoatingWindow& w) -> std::optional<double> { return w.point.highestVacuum; }},
}};

const std::array<WindowFigure, 10> kWindowFigures = {{
    {"shear_rate", "1/s",
     [](const CoatingWindow& w) -> std::optional<double> { return w.bead.shearRate; }},
    {"viscosity", "Pa.s",
     [](const CoatingWindow& w) -> std::optional<double> { return w.bead.viscosity; }},
    {"capillary_number", "-",
     [](const CoatingWindow& w) -> std::optional<double> { return w.bead.capillaryNumber; }},
    {"low_flow_thickness", kLength,
     [](const CoatingWindow& w) -> std::optional<double> { return w.limits.lowFlow; }},
    {"vacuum_too_low_thickness", kLength,
     [](const CoatingWindow& w) -> std::optional<double> { return w.limits.vacuumTooLow; }},
    {"vacuum_too_high_thickness", kLength,
     [](const CoatingWindow& w) -> std::optional<double> { return w.limits.vacuumTooHigh; }},
    {"thinnest_film", kLength,
     [](const CoatingWindow& w) -> std::optional<double> { return w.limits.Thinnest(); }},
    {"thickest_film", kLength,
     [](const CoatingWindow& w) -> std::optional<double> { return w.limits.Thickest(); }},
    {"web_vacuum_lowest", kPressure,
     [](const CoatingWindow& w) -> std::optional<double> {
       return w.webVacuum ? std::optional(w.webVacuum->lowest) : std::nullopt;
     }},
    {"web_vacuum_highest", kPressure,
     [](const CoatingWindow& w) -> std::optional<double> {
       return w.webVacuum ? std::optional(w.webVacuum->highest) : std::nullopt;
     }},
}};

std::string_view MarginUnit(Verdict verdict) {
  return verdict == Verdict::LowFlow || verdict == Verdict::Inside ? kLength : kPressure;
}

}  // namespace fluxeta::coating
