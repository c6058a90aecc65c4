// One run of fluxeta-batch: the case from the default case and a data file, then the
// window's OK button without the window.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "batch_options.h"
#include "fluxeta/case/case_parameters.h"

namespace fluxeta::cli {

// The inputs of a case: the default case with the values of the data file, if any, given to
// the inputs the window lets the user change (every input with `allInputs`) and read with
// `separator`, exactly as the window's "Read Data File" and OK button do. nullopt after
// writing the message that refuses the file to `err`.
std::optional<cases::CaseInputs> BaseCase(const std::optional<std::string>& dataFile,
                                          bool allInputs, char separator, std::ostream& err);

// Runs the case and returns the exit status (exit_status.h). Messages and errors go to
// `err` as the window would show them; the tables, when asked for, to `out`.
// Numbers of the boxes and the result file are written with `separator`.
int RunSingleCase(const SingleRunOptions& options, char separator, std::ostream& out,
                  std::ostream& err);

}  // namespace fluxeta::cli
