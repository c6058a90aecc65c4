#include "cavity_derivatives.h"

namespace fluxeta::solver {

void RequireSlotLength(double slotLength, double pressure) {
  if (slotLength == 0) {
    base::RaiseFloatingPointFault(pressure == 0 ? base::FloatingPointFault::InvalidOperation
                                                : base::FloatingPointFault::DivisionByZero);
  }
}

}  // namespace fluxeta::solver
