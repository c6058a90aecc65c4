// A die document's solve as CSV, JSON or a summary for people, laid out as the window's
// run tables are: the inputs (here the die document), the verdict and figures, the station
// table.
#pragma once

#include <optional>
#include <ostream>

#include <nlohmann/json.hpp>

#include "fluxeta/solver/die_refinement.h"
#include "fluxeta/solver/die_solution.h"

namespace fluxeta::cli {

struct DieRunTables {
  const nlohmann::json& document;  // as read, every default written out
  const solver::DieSolution& solution;
  const std::optional<solver::DieRefinement>& refinement;
};

// Summary lines "# name,value,unit" (the document's numbers and texts by their JSON path,
// then the verdict and figures), then a header row and one row per station.
void WriteDieTablesCsv(const DieRunTables& run, std::ostream& out);

// One object: "inputs" (the die document), "status", "message", "sweeps", "stationCount",
// "entrancePressure", "DelQRms", "uniformity", "flowRatio" (each number as
// {"value", "unit"}), "refinement" where asked, "units" of the station columns and
// "stations", one object per station.
void WriteDieTablesJson(const DieRunTables& run, std::ostream& out);

// "status: converged", the figures and, where asked, the refinement, one a line.
void WriteDieSummary(const DieRunTables& run, std::ostream& out);

}  // namespace fluxeta::cli
