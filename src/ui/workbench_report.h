// The report of the workbench's work: the case, the die, the Result tab's figures, plots and
// station table, and whatever the other tabs hold: the pinned comparison, the study's plot or
// map, the design's search and optimum.
#pragma once

#include "report_document.h"

namespace fluxeta::ui {

class Workbench;

ReportDocument WorkbenchReport(Workbench& workbench);

}  // namespace fluxeta::ui
