#include "fluxeta/run/unfinished_files.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <climits>
#include <cstring>

namespace fluxeta::run {

namespace {

// A slot is taken by one writer at a time; a handler removes the file of a Named slot.
enum SlotState : int { kFree, kTaken, kNamed };

struct Slot {
  std::atomic<int> state{kFree};
  char path[PATH_MAX + 1] = {};  // NUL-terminated, for a handler that cannot allocate
};

// More files than a program writes at once: a study's output, a design's result and
// history, the writes of a few threads of a script.
constexpr std::size_t kSlotCount = 64;
std::array<Slot, kSlotCount> slots;

static_assert(std::atomic<int>::is_always_lock_free);

sigset_t InterruptionSet() {
  sigset_t set;
  sigemptyset(&set);
  for (const int signal : kInterruptionSignals) {
    sigaddset(&set, signal);
  }
  return set;
}

}  // namespace

int RememberUnfinishedFile(const std::string& path) {
  // A name too long for a slot is too long for the system too: no such file exists.
  if (path.size() >= sizeof Slot::path) {
    return -1;
  }
  for (std::size_t k = 0; k < slots.size(); ++k) {
    int expected = kFree;
    if (slots[k].state.compare_exchange_strong(expected, kTaken)) {
      std::memcpy(slots[k].path, path.c_str(), path.size() + 1);
      slots[k].state.store(kNamed);
      return static_cast<int>(k);
    }
  }
  return -1;
}

void ForgetUnfinishedFile(int handle) {
  if (handle < 0 || static_cast<std::size_t>(handle) >= slots.size()) {
    return;
  }
  slots[static_cast<std::size_t>(handle)].state.store(kFree);
}

void RemoveUnfinishedFiles() noexcept {
  for (Slot& slot : slots) {
    if (slot.state.load() == kNamed) {
      ::unlink(slot.path);
    }
  }
}

InterruptionsHeld::InterruptionsHeld() {
  const sigset_t set = InterruptionSet();
  ::pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

InterruptionsHeld::~InterruptionsHeld() {
  const sigset_t set = InterruptionSet();
  ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace fluxeta::run
