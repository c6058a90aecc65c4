// The standard streams of fluxeta-batch.
#pragma once

#include <ostream>
#include <string_view>

namespace fluxeta::cli {

// Gives a closed standard input, output or error a descriptor again, open on /dev/null
// for reading only: a file the program opens later cannot take its number and receive
// what was meant for the stream, and writes to it fail as they would have.
void ReserveStandardStreams();

// Writes `text` to `out` and flushes it; false, with the reason written to `err`, when
// that fails.
bool WriteStandardOutput(std::ostream& out, std::string_view text, std::ostream& err);

// Flushes `out`; false when it or an earlier write to it failed. Only a failure of the
// flush itself is written to `err`: an earlier one was reported where it happened.
bool FlushStandardOutput(std::ostream& out, std::ostream& err);

}  // namespace fluxeta::cli
