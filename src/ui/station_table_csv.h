// The station table as comma-separated text, for pasting into a spreadsheet.
#pragma once

#include <string>

#include "case/station_table.h"

namespace fluxeta::ui {

// One header line of column names with their units, then one line per station 1 … 50:
// the station number, its position X and the thirteen columns of the result file. Numbers
// are written in their shortest form that reads back to the same double, with a point as
// the decimal separator; lines end with "\n".
std::string StationTableCsv(const cases::StationTable& table);

}  // namespace fluxeta::ui
