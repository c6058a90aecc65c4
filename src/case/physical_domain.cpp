#include "fluxeta/case/physical_domain.h"

#include <cmath>

namespace fluxeta::cases {

bool InDomain(PhysicalDomain domain, double value) {
  if (!std::isfinite(value)) {
    return false;
  }
  switch (domain) {
    case PhysicalDomain::Real:
      return true;
    case PhysicalDomain::NonNegative:
      return value >= 0;
    case PhysicalDomain::Positive:
      break;
  }
  return value > 0;
}

std::string_view DomainText(PhysicalDomain domain) {
  switch (domain) {
    case PhysicalDomain::Real:
      return "a finite number";
    case PhysicalDomain::NonNegative:
      return "a finite number of at least 0";
    case PhysicalDomain::Positive:
      break;
  }
  return "a positive finite number";
}

}  // namespace fluxeta::cases
