// The case, the summary and the station table of a run as CSV or JSON, for scripts.
// Numbers are written in their shortest form that reads back to the same double.
#pragma once

#include <ostream>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::cli {

struct RunTables {
  const cases::CaseParameters& parameters;
  const cases::StationTable& table;
  const solver::SolveOutcome& solve;
  // The verdict: converged only when it is "converged" (a regime gap's answer has figures
  // but is no converged design), as in a study's rows.
  base::Outcome status;
};

// Summary lines "# name,value,unit" (converged, then status, the verdict code), then a header row
// and one row per station.
void WriteTablesCsv(const RunTables& run, std::ostream& out);

// One object: "inputs", "derived", "converged", "status" (the verdict code), "sweeps",
// "entrancePressure", "DelQRms", "uniformity" (each number as {"value", "unit"}), "units" of the
// station columns and "stations", one object per station.
void WriteTablesJson(const RunTables& run, std::ostream& out);

}  // namespace fluxeta::cli
