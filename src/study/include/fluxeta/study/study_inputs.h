// The case inputs a study may vary, by their short names (input_table.h), as used on the
// command line, in cases files and in the columns of a study's output.
#pragma once

#include <string_view>

#include "fluxeta/case/input_table.h"

namespace fluxeta::study {

using StudyInput = cases::InputSpec;

// The input of that exact name. Raises StudyError for an unknown name, and for an input
// the window keeps fixed unless `allInputs` is set.
const StudyInput& FindStudyInput(std::string_view name, bool allInputs);

}  // namespace fluxeta::study
