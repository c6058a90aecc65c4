// The design commands of fluxeta-batch on a base case: the optimiser, the
// sensitivity table and the tolerance band.
#pragma once

#include <ostream>
#include <string>

#include "batch_options.h"
#include "fluxeta/case/case_parameters.h"

namespace fluxeta::cli {

// Runs the design commands the options ask for on the case `base` and returns the exit
// status: 0 done (also for an infeasible design: the JSON says so), 2 refused options,
// 3 a base case that faults, 4 an output that could not be written.
// Result files are written with `separator`.
int RunDesignCommands(const BatchOptions& options, const cases::CaseInputs& base, char separator,
                      std::ostream& out, std::ostream& err);

}  // namespace fluxeta::cli
