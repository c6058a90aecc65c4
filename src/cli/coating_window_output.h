// The coating window as fluxeta-batch prints it: a report to read, or CSV and JSON for
// scripts with every number in its shortest exact form.
#pragma once

#include <ostream>

#include "fluxeta/coating/coating_window.h"

namespace fluxeta::cli {

// The web's verdict, the operating point, the bead, the window at the web speed, the runs of
// stations outside and how far, and a line per station; figures to six significant digits.
void WriteCoatingWindowReport(const coating::CoatingWindow& window, std::ostream& out);

// Summary lines "# name,value,unit" (an absent figure empty), then a header row of the
// station columns with their units and one row per station.
void WriteCoatingWindowCsv(const coating::CoatingWindow& window, std::ostream& out);

// One object: "verdict", "operating_point", "window" (the figures as {"value", "unit"}),
// "outside" (the runs), "units" of the station columns and "stations".
void WriteCoatingWindowJson(const coating::CoatingWindow& window, std::ostream& out);

}  // namespace fluxeta::cli
