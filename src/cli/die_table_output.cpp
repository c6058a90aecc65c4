#include "die_table_output.h"

#include <cmath>
#include <string>
#include <string_view>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/run/die_exports.h"

namespace fluxeta::cli {

namespace {

using nlohmann::json;

struct Figure {
  std::string_view name;
  std::string_view unit;
  double solver::DieSolution::*value;
};

constexpr std::array<Figure, 4> kFigures = {{
    {"entrancePressure", "Pa", &solver::DieSolution::entrancePressure},
    {"DelQRms", "cm3/s", &solver::DieSolution::DelQRms},
    {"uniformity", "-", &solver::DieSolution::uniformity},
    {"flowRatio", "-", &solver::DieSolution::flowRatio},
}};

// JSON has no infinity or not-a-number: a figure that a solve without an answer lacks is
// null.
std::string JsonNumber(double value) {
  return std::isfinite(value) ? cases::ShortestText(value) : "null";
}

std::string CsvNumber(double value) {
  return std::isfinite(value) ? cases::ShortestText(value) : "";
}

// The document's leaves by their JSON paths, "geometry.manifold.radius".
void CsvDocumentLines(const json& value, const std::string& path, std::ostream& out) {
  if (value.is_object()) {
    for (const auto& [key, member] : value.items()) {
      CsvDocumentLines(member, path.empty() ? key : path + "." + key, out);
    }
  } else if (value.is_array()) {
    for (std::size_t k = 0; k < value.size(); ++k) {
      CsvDocumentLines(value[k], path + "." + std::to_string(k), out);
    }
  } else if (value.is_number()) {
    out << "# " << path << ',' << cases::ShortestText(value.get<double>()) << ",\n";
  } else if (value.is_string()) {
    // A text with a comma or a line end is written as JSON writes it.
    const std::string text = value.get<std::string>();
    const bool plain = text.find_first_of(",\"\n\r") == std::string::npos;
    out << "# " << path << ',' << (plain ? text : value.dump()) << ",\n";
  }
}

struct RefinedLine {
  std::string_view name;
  std::string_view unit;
  const solver::RefinedFigure solver::DieRefinement::*figure;
};

constexpr std::array<RefinedLine, 2> kRefinedFigures = {{
    {"uniformity", "-", &solver::DieRefinement::uniformity},
    {"entrancePressure", "Pa", &solver::DieRefinement::entrancePressure},
}};

std::string StationCounts(const solver::DieRefinement& refinement) {
  return std::to_string(refinement.stations[0]) + " " + std::to_string(refinement.stations[1]) +
         " " + std::to_string(refinement.stations[2]);
}

json RefinementJson(const solver::DieRefinement& refinement) {
  json object = {{"stations", refinement.stations}, {"converged", refinement.converged}};
  if (!refinement.converged) {
    object["failed"] = {{"stations", refinement.failed.stations},
                        {"message", solver::DescribeDieOutcome(refinement.failed)}};
    return object;
  }
  for (const RefinedLine& line : kRefinedFigures) {
    const solver::RefinedFigure& figure = refinement.*line.figure;
    object[std::string(line.name)] = {{"values", figure.values},
                                      {"order", figure.order ? json(*figure.order) : json(nullptr)},
                                      {"estimate", figure.estimate},
                                      {"error", figure.error},
                                      {"unit", line.unit}};
  }
  object["needsMoreStations"] = refinement.NeedsMoreStations();
  return object;
}

}  // namespace

void WriteDieTablesCsv(const DieRunTables& run, std::ostream& out) {
  CsvDocumentLines(run.document, "", out);
  const solver::DieSolution& solution = run.solution;
  out << "# status," << base::OutcomeCode(solution.status) << ",\n";
  out << "# sweeps," << solution.sweeps << ",\n";
  out << "# stationCount," << solution.stations << ",\n";
  for (const Figure& figure : kFigures) {
    out << "# " << figure.name << ',' << CsvNumber(solution.*figure.value) << ',' << figure.unit
        << '\n';
  }
  if (run.refinement && run.refinement->converged) {
    out << "# refinedStations," << StationCounts(*run.refinement) << ",\n";
    for (const RefinedLine& line : kRefinedFigures) {
      const solver::RefinedFigure& figure = (*run.refinement).*line.figure;
      const std::string name(line.name);
      out << "# " << name << "Order," << (figure.order ? cases::ShortestText(*figure.order) : "")
          << ",\n";
      out << "# " << name << "Estimate," << cases::ShortestText(figure.estimate) << ',' << line.unit
          << '\n';
      out << "# " << name << "Error," << cases::ShortestText(figure.error) << ',' << line.unit
          << '\n';
    }
  }
  out << run::DieStationTableCsv(solution);
}

void WriteDieTablesJson(const DieRunTables& run, std::ostream& out) {
  const solver::DieSolution& solution = run.solution;
  out << "{\n  \"inputs\": " << run.document.dump() << ",\n";
  out << "  \"status\": \"" << base::OutcomeCode(solution.status) << "\",\n";
  out << "  \"message\": " << json(solver::DescribeDieOutcome(solution)).dump() << ",\n";
  out << "  \"sweeps\": " << solution.sweeps << ",\n";
  out << "  \"stationCount\": " << solution.stations << ",\n";
  for (const Figure& figure : kFigures) {
    out << "  \"" << figure.name << "\": {\"value\": " << JsonNumber(solution.*figure.value)
        << ", \"unit\": \"" << figure.unit << "\"},\n";
  }
  if (run.refinement) {
    out << "  \"refinement\": " << RefinementJson(*run.refinement).dump() << ",\n";
  }
  out << "  \"units\": {";
  for (std::size_t i = 0; i < solver::kDieStationColumns.size(); ++i) {
    out << (i == 0 ? "" : ", ") << '"' << solver::kDieStationColumns[i].name << "\": \""
        << solver::kDieStationColumns[i].unit << '"';
  }
  out << "},\n  \"stations\": [\n";
  for (int i = 0; i < solution.stations; ++i) {
    out << "    {\"station\": " << i + 1;
    for (const solver::DieStationColumn& column : solver::kDieStationColumns) {
      out << ", \"" << column.name << "\": " << JsonNumber((solution.table.*column.values)[i]);
    }
    out << (i + 1 < solution.stations ? "},\n" : "}\n");
  }
  out << "  ]\n}\n";
}

void WriteDieSummary(const DieRunTables& run, std::ostream& out) {
  const solver::DieSolution& solution = run.solution;
  out << "status: " << solver::DescribeDieOutcome(solution) << '\n';
  out << "stations: " << solution.stations << '\n';
  if (solution.converged()) {
    out << "entrance pressure: " << cases::ShortestText(solution.entrancePressure) << " Pa\n";
    out << "uniformity: " << cases::ShortestText(solution.uniformity) << '\n';
    out << "smallest/largest slot flow: " << cases::ShortestText(solution.flowRatio) << '\n';
  }
  if (!run.refinement) {
    return;
  }
  const solver::DieRefinement& refinement = *run.refinement;
  if (!refinement.converged) {
    out << "refinement on " << StationCounts(refinement)
        << " stations: " << solver::DescribeDieOutcome(refinement.failed) << " on "
        << refinement.failed.stations << " stations\n";
    return;
  }
  out << "refinement on " << StationCounts(refinement) << " stations:\n";
  for (const RefinedLine& line : kRefinedFigures) {
    const solver::RefinedFigure& figure = refinement.*line.figure;
    out << "  " << line.name << ": " << cases::ShortestText(figure.estimate) << " ± "
        << cases::ShortestText(figure.error) << (line.unit == "-" ? "" : " ")
        << (line.unit == "-" ? "" : line.unit) << ", observed order "
        << (figure.order ? cases::ShortestText(*figure.order) : "none") << '\n';
  }
}

}  // namespace fluxeta::cli
