#include "fluxeta/solver/die_shear_rates.h"

#include <cmath>
#include <vector>

namespace fluxeta::solver {

namespace {

std::optional<ShearRateSpan> SpanOf(const std::vector<double>& shearRates) {
  std::optional<ShearRateSpan> span;
  for (const double rate : shearRates) {
    if (!(std::isfinite(rate) && rate > 0)) {
      continue;
    }
    if (!span) {
      span = ShearRateSpan{rate, rate};
    } else if (rate < span->lowest) {
      span->lowest = rate;
    } else if (rate > span->highest) {
      span->highest = rate;
    }
  }
  return span;
}

}  // namespace

DieShearRates SeenShearRates(const DieSolution& solution) {
  return {SpanOf(solution.table.APP_SR_C), SpanOf(solution.table.SR_S)};
}

}  // namespace fluxeta::solver
