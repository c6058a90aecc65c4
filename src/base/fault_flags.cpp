#include "fluxeta/base/fault_flags.h"

#include "fluxeta/base/checked_real.h"

namespace fluxeta::base {

void RaiseOnFaultFlags() {
  const int raised = std::fetestexcept(kFaultFlags);
  if (raised == 0) [[likely]] {
    return;
  }
  ClearFaultFlags();
  if (raised & FE_DIVBYZERO) {
    RaiseFloatingPointFault(FloatingPointFault::DivisionByZero);
  }
  if (raised & FE_OVERFLOW) {
    RaiseFloatingPointFault(FloatingPointFault::Overflow);
  }
  RaiseFloatingPointFault(FloatingPointFault::InvalidOperation);
}

}  // namespace fluxeta::base
