// The design commands of fluxeta-batch on the case of the boxes: the optimiser (with the
// tolerance band of its optimum, and with --coating-window every station inside the coating
// window as a limit), the sensitivity table and the tolerance band.
#pragma once

#include <ostream>

#include "batch_options.h"
#include "fluxeta/case/case_parameters.h"

namespace fluxeta::cli {

// Runs the design commands the options ask for on the case `base` and returns the exit
// status (exit_status.h): 0 done, 1 a design that sensitivities cannot be taken of, 2
// refused options, 3 a base case that faults, 4 an output that could not be written, 5
// an infeasible search, 6 a search stopped by its budget, 7 an incomplete tolerance band.
int RunDesignCommands(const BatchOptions& options, const cases::CaseInputs& base, char separator,
                      std::ostream& out, std::ostream& err);

}  // namespace fluxeta::cli
