// The temporary files of outputs not yet complete, so that a program ending on a signal
// can remove them and leave nothing partial behind, and the hold on those signals while
// a file changes its name.
#pragma once

#include <signal.h>

#include <string>

namespace fluxeta::run {

// Names a temporary file to remove on an interruption; returns the handle to forget it
// by, or -1 when too many are open at once (the file is then only not removed).
int RememberUnfinishedFile(const std::string& path);
// The file of `handle` is no longer to be removed (renamed into place, or removed).
void ForgetUnfinishedFile(int handle);

// Removes every file remembered; safe to call from a signal handler.
void RemoveUnfinishedFiles() noexcept;

// Holds SIGINT, SIGTERM and SIGHUP back on the calling thread for its lifetime; one that
// arrives meanwhile is handled at its end.
class InterruptionsHeld {
 public:
  InterruptionsHeld();
  ~InterruptionsHeld();
  InterruptionsHeld(const InterruptionsHeld&) = delete;
  InterruptionsHeld& operator=(const InterruptionsHeld&) = delete;
};

// The signals a program ends on, as InterruptionsHeld holds them.
inline constexpr int kInterruptionSignals[] = {SIGINT, SIGTERM, SIGHUP};

}  // namespace fluxeta::run
