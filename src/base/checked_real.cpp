#include "fluxeta/base/checked_real.h"

namespace fluxeta::base {

void RaiseFloatingPointFault(FloatingPointFault fault) {
  throw FloatingPointError(fault);
}

Real StoreAsDouble(long double value) {
  return StoreAsDouble(WideReal(value));
}

Real StoreAsDouble(WideReal value) {
  const long double wide = value.value();
  if (std::isnan(wide)) {
    RaiseFloatingPointFault(FloatingPointFault::InvalidOperation);
  }
  const double stored = static_cast<double>(wide);
  if (std::isinf(stored)) {
    RaiseFloatingPointFault(FloatingPointFault::Overflow);
  }
  return Real(stored);
}

Real Abs(Real x) {
  return Real(std::fabs(x.value()));
}

Real Sqrt(Real x) {
  if (x.value() < 0) {
    RaiseFloatingPointFault(FloatingPointFault::InvalidOperation);
  }
  return Real(std::sqrt(x.value()));
}

Real Atan(Real x) {
  return Real(std::atan(x.value()));
}

Real Cos(Real x) {
  return Real(std::cos(x.value()));
}

}  // namespace fluxeta::base
