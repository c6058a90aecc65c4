// The station table as comma-separated text, for spreadsheets and scripts.
#pragma once

#include <string>

#include "fluxeta/case/station_columns.h"
#include "fluxeta/case/station_table.h"

namespace fluxeta::run {

// One header line "station,X (cm),P (Pa),…", then one line per station 1 … 50: the
// station number and its values in their shortest exact form (ShortestText). Lines end
// with "\n".
std::string StationTableCsv(const cases::StationTable& table);

}  // namespace fluxeta::run
