#include "fluxeta/case/input_domain.h"

#include <cmath>

#include "fluxeta/case/document_values.h"

namespace fluxeta::cases {

namespace {
constexpr InputDomain kAboveZero{0, false};
constexpr InputDomain kZeroOrAbove{0, true};
}  // namespace

// The taper factor 0 is a cavity of constant section; a negative one would widen it.
const std::array<InputDomain, kInputCount> kInputDomains = {
    kAboveZero,    // Ain
    kZeroOrAbove,  // gamma
    kAboveZero,    // Pein
    kAboveZero,    // Lin
    kAboveZero,    // Lend
    kAboveZero,    // W
    kAboveZero,    // H
    kAboveZero,    // lambda
    kAboveZero,    // alpha
    kAboveZero,    // eta0
    kAboveZero,    // gamma0
    kAboveZero,    // n
    kAboveZero,    // gammacr
    kAboveZero,    // rho
    kAboveZero,    // Qin
};

std::optional<std::string> InputDomainRefusal(std::size_t input, double value) {
  const InputDomain& domain = kInputDomains.at(input);
  if (!std::isfinite(value)) {
    return "must be a finite number";
  }
  if (domain.lowestIncluded ? value >= domain.lowest : value > domain.lowest) {
    return std::nullopt;
  }
  return (domain.lowestIncluded ? "must be " + NumberText(domain.lowest) + " or above"
                                : "must be above " + NumberText(domain.lowest));
}

bool WithinPlausibleRange(std::size_t input, double value) {
  const InputSpec& spec = kInputs.at(input);
  return value >= spec.plausibleLow && value <= spec.plausibleHigh;
}

}  // namespace fluxeta::cases
