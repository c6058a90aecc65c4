// The exit statuses of fluxeta-batch.
#pragma once

namespace fluxeta::cli {

enum ExitStatus : int {
  kWrittenAndConverged = 0,
  kNotConverged = 1,
  kRefusedInput = 2,        // a data file or a number refused
  kFloatingPointFault = 3,  // division by zero, invalid operation or overflow
  kFileFailure = 4,         // the result file could not be opened or written
  kInfeasibleDesign = 5,    // no candidate of --optimise met the limits or could be solved
  kSearchStopped = 6,       // the budget of --optimise ran out before its search converged
  kIncompleteBand = 7,      // a point of the tolerance band could not be solved
};

}  // namespace fluxeta::cli
