#include "coating_window_output.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include <nlohmann/json.hpp>

#include "fluxeta/case/number_text.h"
#include "fluxeta/coating/coating_columns.h"
#include "json_text.h"

namespace fluxeta::cli {

namespace {

using coating::CoatingWindow;
using coating::OutsideRun;
using coating::StationWindow;
using coating::Verdict;
using nlohmann::ordered_json;

// A figure to six significant digits.
std::string Figure(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

std::string Percent(double fraction) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3g", fraction * 100);
  return text;
}

std::string Stations(const OutsideRun& run) {
  return run.firstStation == run.lastStation ? "station " + std::to_string(run.firstStation)
                                             : "stations " + std::to_string(run.firstStation) +
                                                   "-" + std::to_string(run.lastStation);
}

std::string HowFarOutside(const OutsideRun& run, const CoatingWindow& window) {
  const std::string name(coating::VerdictName(run.verdict));
  const std::string by = Figure(-run.worstMargin);
  switch (run.verdict) {
    case Verdict::LowFlow:
      return name + ", up to " + by + " cm (" + Percent(-run.worstMargin / window.limits.lowFlow) +
             " %) thinner than the low-flow limit";
    case Verdict::VacuumTooLow:
      return name + ", needing up to " + by + " Pa more than the highest vacuum";
    case Verdict::VacuumTooHigh:
      return name + ", bearing up to " + by + " Pa less than the lowest vacuum";
    case Verdict::Inside:
      break;
  }
  return name;
}

void WriteVerdict(const CoatingWindow& window, std::ostream& out) {
  out << "Coating window of the web: " << coating::WebVerdictName(window.verdict) << '\n';
  for (const OutsideRun& run : window.outside) {
    out << "  " << Stations(run) << ": " << HowFarOutside(run, window) << '\n';
  }
  if (window.verdict == coating::WebVerdict::NoCommonVacuum) {
    double needs = -std::numeric_limits<double>::infinity();
    double bears = std::numeric_limits<double>::infinity();
    for (const StationWindow& station : window.stations) {
      needs = std::max(needs, station.pressures->vacuum.least);
      bears = std::min(bears, station.pressures->vacuum.most);
    }
    out << "  no one vacuum holds every station: one needs at least " << Figure(needs)
        << " Pa, another bears at most " << Figure(bears) << " Pa\n";
  }
}

void WriteConditions(const CoatingWindow& window, std::ostream& out) {
  const coating::OperatingPoint& point = window.point;
  out << "Operating point: web speed " << Figure(point.webSpeed) << " cm/s, coating gap "
      << Figure(point.coatingGap) << " cm, upstream lip " << Figure(point.upstreamLip)
      << " cm, downstream lip " << Figure(point.downstreamLip) << " cm, surface tension "
      << Figure(point.surfaceTension) << " N/m, vacuum " << Figure(point.lowestVacuum) << " to "
      << Figure(point.highestVacuum) << " Pa\n";
  out << "Bead: shear rate " << Figure(window.bead.shearRate) << " 1/s, viscosity "
      << Figure(window.bead.viscosity) << " Pa.s, capillary number "
      << Figure(window.bead.capillaryNumber) << '\n';
  const coating::WindowLimits& limits = window.limits;
  out << "Window at " << Figure(point.webSpeed) << " cm/s: ";
  if (limits.Thinnest() <= limits.Thickest()) {
    out << "wet thickness " << Figure(limits.Thinnest()) << " to " << Figure(limits.Thickest())
        << " cm";
  } else {
    out << "empty";
  }
  out << " (low-flow limit " << Figure(limits.lowFlow) << " cm; " << Figure(point.highestVacuum)
      << " Pa holds films from " << Figure(limits.vacuumTooLow) << " cm, "
      << Figure(point.lowestVacuum) << " Pa up to " << Figure(limits.vacuumTooHigh) << " cm)\n";
  if (!window.stations.empty()) {
    const auto [thinnest, thickest] =
        std::minmax_element(window.stations.begin(), window.stations.end(),
                            [](const StationWindow& a, const StationWindow& b) {
                              return a.wetThickness < b.wetThickness;
                            });
    out << "Web: wet thickness " << Figure(thinnest->wetThickness) << " to "
        << Figure(thickest->wetThickness) << " cm";
    if (window.webVacuum) {
      out << ", every station held at a vacuum of " << Figure(window.webVacuum->lowest) << " to "
          << Figure(window.webVacuum->highest) << " Pa";
    }
    out << '\n';
  }
}

void WriteStationLines(const CoatingWindow& window, std::ostream& out) {
  out << "station  x (cm)      t (cm)      t - t_low_flow (cm)  least vacuum (Pa)  "
         "most vacuum (Pa)  verdict\n";
  for (const StationWindow& station : window.stations) {
    char line[200];
    const std::string least = station.pressures ? Figure(station.pressures->vacuum.least) : "-";
    const std::string most = station.pressures ? Figure(station.pressures->vacuum.most) : "-";
    std::snprintf(line, sizeof line, "%7d  %-10s  %-10s  %-19s  %-17s  %-16s  %s\n",
                  station.station, Figure(station.x).c_str(), Figure(station.wetThickness).c_str(),
                  Figure(station.lowFlowMargin).c_str(), least.c_str(), most.c_str(),
                  std::string(coating::VerdictName(station.verdict)).c_str());
    out << line;
  }
}

std::string CsvNumber(const std::optional<double>& value) {
  return value ? cases::ShortestText(*value) : "";
}

template <std::size_t N>
void WriteCsvSummary(const std::array<coating::WindowFigure, N>& figures,
                     const CoatingWindow& window, std::ostream& out) {
  for (const coating::WindowFigure& figure : figures) {
    out << "# " << figure.name << ',' << CsvNumber(figure.value(window)) << ',' << figure.unit
        << '\n';
  }
}

ordered_json JsonNumber(const std::optional<double>& value) {
  return value ? ordered_json(*value) : ordered_json(nullptr);
}

}  // namespace

void WriteCoatingWindowReport(const CoatingWindow& window, std::ostream& out) {
  WriteVerdict(window, out);
  WriteConditions(window, out);
  WriteStationLines(window, out);
}

void WriteCoatingWindowCsv(const CoatingWindow& window, std::ostream& out) {
  out << "# verdict," << coating::WebVerdictName(window.verdict) << ",\n";
  WriteCsvSummary(coating::kOperatingPointFigures, window, out);
  WriteCsvSummary(coating::kWindowFigures, window, out);
  out << "station";
  for (const coating::StationColumn& column : coating::kStationColumns) {
    out << ',' << column.name << " (" << column.unit << ')';
  }
  out << ",verdict\n";
  for (const StationWindow& station : window.stations) {
    out << station.station;
    for (const coating::StationColumn& column : coating::kStationColumns) {
      out << ',' << CsvNumber(column.value(station));
    }
    out << ',' << coating::VerdictName(station.verdict) << '\n';
  }
}

void WriteCoatingWindowJson(const CoatingWindow& window, std::ostream& out) {
  ordered_json document;
  document["verdict"] = coating::WebVerdictName(window.verdict);
  document["operating_point"] = coating::OperatingPointJson(window.point);
  ordered_json figures = ordered_json::object();
  for (const coating::WindowFigure& figure : coating::kWindowFigures) {
    figures[std::string(figure.name)] = {{"value", JsonNumber(figure.value(window))},
                                         {"unit", figure.unit}};
  }
  document["window"] = figures;
  document["outside"] = ordered_json::array();
  for (const OutsideRun& run : window.outside) {
    document["outside"].push_back({{"verdict", coating::VerdictName(run.verdict)},
                                   {"first_station", run.firstStation},
                                   {"last_station", run.lastStation},
                                   {"worst_margin", run.worstMargin},
                                   {"unit", coating::MarginUnit(run.verdict)}});
  }
  ordered_json units = ordered_json::object();
  for (const coating::StationColumn& column : coating::kStationColumns) {
    units[std::string(column.name)] = column.unit;
  }
  document["units"] = units;
  document["stations"] = ordered_json::array();
  for (const StationWindow& station : window.stations) {
    ordered_json row;
    row["station"] = station.station;
    for (const coating::StationColumn& column : coating::kStationColumns) {
      row[std::string(column.name)] = JsonNumber(column.value(station));
    }
    row["verdict"] = coating::VerdictName(station.verdict);
    document["stations"].push_back(row);
  }
  out << JsonText(document, JsonLayout::Indented) << '\n';
}

}  // namespace fluxeta::cli
