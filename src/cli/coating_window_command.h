// fluxeta-batch [DATAFILE | --die DOC] --coating-window FILE.json: will the bead hold across
// the whole web of the die at the operating point of the file?
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "batch_options.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/coating/operating_point.h"

namespace fluxeta::cli {

// The operating point of the file, or nullopt after saying on `err` why not, naming the file
// and the key.
std::optional<coating::OperatingPoint> ReadOperatingPointFile(const std::string& path,
                                                              std::ostream& err);

// Reads the operating point, solves the case with the run's search and prints the window
// (a report, or the --table format). Returns the exit status: 0 for a window evaluated
// whatever its verdict, 1 for a die that is not solved, 2 for a refused operating point or
// case, 3 for a floating-point fault.
int RunCoatingWindow(const BatchOptions& options, const cases::CaseInputs& base, std::ostream& out,
                     std::ostream& err);

// The same for the die document of --die (with --stations), solved by the general die model;
// 2 also for a refused die document.
int RunDieCoatingWindow(const BatchOptions& options, std::ostream& out, std::ostream& err);

}  // namespace fluxeta::cli
