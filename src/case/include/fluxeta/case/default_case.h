// The case the main window starts with.
#pragma once

#include "fluxeta/case/case_parameters.h"

namespace fluxeta::cases {

// The values of the default case, read from its texts (input_table.h).
CaseValues DefaultCaseValues();

// The same as inputs, for a case that fronts change input by input.
CaseInputs DefaultCaseInputs();

}  // namespace fluxeta::cases
