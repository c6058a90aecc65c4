// The runtime's input/output error codes for failures reported by the platform.
#pragma once

namespace fluxeta::base {

// The code an InputOutputError carries for a failed file operation that set `errorNumber`
// (an errno value): the runtime's own code where one fits, else the number itself.
int InputOutputErrorCode(int errorNumber);

}  // namespace fluxeta::base
