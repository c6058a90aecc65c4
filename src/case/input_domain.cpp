#include "fluxeta/case/input_domain.h"

#include <cmath>

namespace fluxeta::cases {

std::optional<std::string> InputDomainRefusal(std::size_t input, double value) {
  const PhysicalDomain domain = kInputs.at(input).domain;
  if (!std::isfinite(value)) {
    return "must be a finite number";
  }
  if (InDomain(domain, value)) {
    return std::nullopt;
  }
  return domain == PhysicalDomain::Positive ? "must be above 0" : "must be 0 or above";
}

bool WithinPlausibleRange(std::size_t input, double value) {
  const InputSpec& spec = kInputs.at(input);
  return value >= spec.plausibleLow && value <= spec.plausibleHigh;
}

}  // namespace fluxeta::cases
