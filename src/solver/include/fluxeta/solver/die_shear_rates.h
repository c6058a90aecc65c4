// The shear rates a solved die puts its liquid through: the span of the manifold's apparent
// shear rate and the span of the slot's wall shear rate over the stations, for reading a
// flow curve where it matters.
#pragma once

#include <optional>

#include "fluxeta/solver/die_solution.h"

namespace fluxeta::solver {

struct ShearRateSpan {
  double lowest = 0;   // 1/s
  double highest = 0;  // 1/s
};

struct DieShearRates {
  // Nothing where no station has a positive shear rate (an unsolved die, a liquid at rest).
  std::optional<ShearRateSpan> manifold;  // APP_SR_C
  std::optional<ShearRateSpan> slot;      // SR_S
};

// The spans over the stations that have a value: stations beyond where the liquid ran out
// have none, and a station where a yield-stress liquid stands still shears it at no rate.
DieShearRates SeenShearRates(const DieSolution& solution);

}  // namespace fluxeta::solver
