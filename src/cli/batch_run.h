// One run of fluxeta-batch: the case from the default texts and a data file, then the
// window's OK button without the window.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "batch_options.h"
#include "fluxeta/case/case_parameters.h"

namespace fluxeta::cli {

// The box texts of a case: the default texts with the values of the data file, if any,
// put into the boxes the window lets the user change (every case box with `allInputs`),
// exactly as the window's "Read Data File" does. nullopt after writing the message that
// refuses the file to `err`.
std::optional<cases::BoxTexts> CaseBoxTexts(const std::optional<std::string>& dataFile,
                                            bool allInputs, char separator, std::ostream& err);

// Runs the case and returns the exit status (exit_status.h). Messages and errors go to
// `err` as the window would show them; the tables, when asked for, to `out`.
// Numbers of the boxes and the result file are written with `separator`.
int RunSingleCase(const SingleRunOptions& options, char separator, std::ostream& out,
                  std::ostream& err);

}  // namespace fluxeta::cli
