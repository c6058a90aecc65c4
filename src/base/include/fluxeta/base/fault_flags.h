// Floating-point faults found by the exception flags instead of operation by operation,
// for code whose every operation would be too slow to check: clear the flags, compute a
// small unit (one derivative, one flow), then ask. A raised flag ends the operation with
// FloatingPointError like a checked operation would.
//
// Where one unit raises several flags the first fault is taken to be a division by zero
// or an overflow, since an invalid operation (∞ − ∞, 0·∞, √−x) follows from those far more
// often than the other way round: a not-a-number raises no further flag.
#pragma once

#include <cfenv>

#include "fluxeta/base/errors.h"

namespace fluxeta::base {

inline constexpr int kFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

inline void ClearFaultFlags() {
  std::feclearexcept(kFaultFlags);
}

// Raises FloatingPointError when a fault flag is set (and clears them).
void RaiseOnFaultFlags();

// Clears the flags on entry, and on leaving leaves them as they were on entry, so that a
// unit checked by flags neither sees nor hides a fault raised around it.
class FaultFlagScope {
 public:
  FaultFlagScope() {
    std::fegetexceptflag(&saved_, kFaultFlags);
    ClearFaultFlags();
  }
  ~FaultFlagScope() { std::fesetexceptflag(&saved_, kFaultFlags); }
  FaultFlagScope(const FaultFlagScope&) = delete;
  FaultFlagScope& operator=(const FaultFlagScope&) = delete;

 private:
  std::fexcept_t saved_{};
};

}  // namespace fluxeta::base
