// The case, the summary and the station table of a run as CSV or JSON, for scripts.
// Numbers are written in their shortest form that reads back to the same double.
#pragma once

#include <ostream>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::cli {

struct RunTables {
  const cases::CaseParameters& parameters;
  const cases::StationTable& table;
  const solver::SolveOutcome& solve;
};

// Summary lines "# name,value,unit", then a header row and one row per station.
void WriteTablesCsv(const RunTables& run, std::ostream& out);

// One object: "inputs", "derived", "converged", "sweeps", "entrancePressure", "DelQRms",
// "uniformity" (each number as {"value", "unit"}), "units" of the station columns and
// "stations", one object per station.
void WriteTablesJson(const RunTables& run, std::ostream& out);

}  // namespace fluxeta::cli
