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

#include "fluxeta/base/checked_real.h"
#include "fluxeta/base/errors.h"
#include "fluxeta/base/unchecked_real.h"

namespace fluxeta::base {

inline constexpr int kFaultFlags = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

inline void ClearFaultFlags() {
  std::feclearexcept(kFaultFlags);
}

// Raises FloatingPointError when a fault flag is set (and clears them).
void RaiseOnFaultFlags();

inline bool FaultFlagsRaised() {
  return std::fetestexcept(kFaultFlags) != 0;
}

// Clears the flags on entry, and on leaving leaves them as they were on entry, so that a
// unit checked by flags neither sees nor hides a fault raised around it. Saving and
// setting the flags costs far more than testing them, so that is done only where a flag
// is raised.
class FaultFlagScope {
 public:
  FaultFlagScope() : raisedOnEntry_(FaultFlagsRaised()) {
    if (raisedOnEntry_) {
      std::fegetexceptflag(&saved_, kFaultFlags);
      ClearFaultFlags();
    }
  }
  ~FaultFlagScope() {
    if (raisedOnEntry_) {
      std::fesetexceptflag(&saved_, kFaultFlags);
    } else if (FaultFlagsRaised()) {
      ClearFaultFlags();
    }
  }
  FaultFlagScope(const FaultFlagScope&) = delete;
  FaultFlagScope& operator=(const FaultFlagScope&) = delete;

 private:
  bool raisedOnEntry_;
  std::fexcept_t saved_{};
};

// Runs `unit(number)` with a base::UncheckedReal, the fast way, and where that raised a
// fault flag runs it again with a base::Real, checked operation by operation, so that the
// first fault raises FloatingPointError where it happens. The unit has to compute the same
// operations with either number type and start again from what it started from; its
// unchecked run must raise nothing itself, since a fault before the raise would be lost.
// Every operation of the unit has to feed what the unit writes or decides: the compiler
// drops an unchecked operation whose result is unused, and its flag with it.
template <typename Unit>
void CheckByFaultFlags(Unit&& unit) {
  const FaultFlagScope flags;
  unit(UncheckedReal());
  if (FaultFlagsRaised()) [[unlikely]] {
    ClearFaultFlags();
    unit(Real());
  }
}

}  // namespace fluxeta::base
