// The whole of fluxeta-batch behind its main().
#pragma once

#include <ostream>

namespace fluxeta::cli {

// Takes the decimal separator from the locale, reads the command line and runs it;
// returns the exit status.
int RunBatchProgram(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace fluxeta::cli
