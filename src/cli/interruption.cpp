#include "interruption.h"

#include <signal.h>
#include <unistd.h>

#include "fluxeta/run/unfinished_files.h"

namespace fluxeta::cli {

namespace {

// The status of a process that ends on a signal, as shells report it: 128 + the signal.
constexpr int kSignalStatusBase = 128;

void OnInterruption(int signal) {
  run::RemoveUnfinishedFiles();
  ::_exit(kSignalStatusBase + signal);
}

}  // namespace

void HandleInterruptions() {
  struct sigaction action = {};
  action.sa_handler = OnInterruption;
  sigemptyset(&action.sa_mask);
  for (const int signal : run::kInterruptionSignals) {
    sigaddset(&action.sa_mask, signal);  // one handler at a time
  }
  for (const int signal : run::kInterruptionSignals) {
    // A signal ignored from the start stays ignored: nohup, a job shielded on purpose.
    struct sigaction inherited = {};
    if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) {
      continue;
    }
    ::sigaction(signal, &action, nullptr);
  }
  ::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace fluxeta::cli
