// What fluxeta-batch does on SIGINT, SIGTERM and SIGHUP (a Ctrl+C, a kill, a closed
// terminal, a pre-empted batch job): remove the temporary file of an output not yet
// complete, so that nothing partial is left behind, and exit with 128 + the signal.
#pragma once

#include <string>

namespace fluxeta::cli {

// Installs the handlers; once per process, before any thread is started. Also has a
// write beyond the file-size limit fail with EFBIG instead of killing the process.
void HandleInterruptions();

// Names the file a signal removes (at most one at a time); an empty name clears it.
// Not safe against a signal arriving while the name changes: callers block them
// (InterruptionsBlocked).
void SetFileRemovedOnInterruption(const std::string& path);

// Holds SIGINT, SIGTERM and SIGHUP back on the calling thread for its lifetime; one that
// arrives meanwhile is handled at its end.
class InterruptionsBlocked {
 public:
  InterruptionsBlocked();
  ~InterruptionsBlocked();
  InterruptionsBlocked(const InterruptionsBlocked&) = delete;
  InterruptionsBlocked& operator=(const InterruptionsBlocked&) = delete;
};

}  // namespace fluxeta::cli
