#include "interruption.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <climits>
#include <cstring>

namespace fluxeta::cli {

namespace {

constexpr std::array kInterruptions = {SIGINT, SIGTERM, SIGHUP};
// The status of a process that ends on a signal, as shells report it: 128 + the signal.
constexpr int kSignalStatusBase = 128;

// The file to remove, as a NUL-terminated path a handler can use without allocating.
char removedOnInterruption[PATH_MAX + 1] = {};

void OnInterruption(int signal) {
  if (removedOnInterruption[0] != '\0') {
    ::unlink(removedOnInterruption);
  }
  ::_exit(kSignalStatusBase + signal);
}

sigset_t InterruptionSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kInterruptions) {
    sigaddset(&set, signal);
  }
  return set;
}

}  // namespace

void HandleInterruptions() {
  struct sigaction action = {};
  action.sa_handler = OnInterruption;
  action.sa_mask = InterruptionSet();  // one handler at a time
  for (const int signal : kInterruptions) {
    // A signal ignored from the start stays ignored: nohup, a job shielded on purpose.
    struct sigaction inherited = {};
    if (::sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) {
      continue;
    }
    ::sigaction(signal, &action, nullptr);
  }
  ::signal(SIGXFSZ, SIG_IGN);
}

void SetFileRemovedOnInterruption(const std::string& path) {
  // A name too long for the buffer is too long for the system too: no such file exists.
  const std::size_t length = path.size() < sizeof removedOnInterruption ? path.size() : 0;
  std::memcpy(removedOnInterruption, path.data(), length);
  removedOnInterruption[length] = '\0';
}

InterruptionsBlocked::InterruptionsBlocked() {
  const sigset_t set = InterruptionSet();
  ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

InterruptionsBlocked::~InterruptionsBlocked() {
  const sigset_t set = InterruptionSet();
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace fluxeta::cli
