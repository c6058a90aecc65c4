#include "fluxeta/design/tolerance_band.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::design {

namespace {
constexpr double kPercent = 0.01;
constexpr std::string_view kPlusMinus = "±";  // UTF-8
}  // namespace

ParsedTolerance ParseTolerance(std::string_view text) {
  ParsedTolerance parsed;
  const auto equals = text.find('=');
  const std::string_view name = text.substr(0, equals);
  const auto input = cases::FindInput(name);
  if (!input) {
    parsed.refusal = "unknown input '" + std::string(name) + "'";
    return parsed;
  }
  if (equals == std::string_view::npos) {
    parsed.refusal = "'" + std::string(text) + "': expected NAME=±DELTA or NAME=±PCT%";
    return parsed;
  }
  std::string_view amount = text.substr(equals + 1);
  if (amount.starts_with(kPlusMinus)) {
    amount.remove_prefix(kPlusMinus.size());
  } else if (amount.starts_with("+-")) {
    amount.remove_prefix(2);
  }
  Tolerance tolerance;
  tolerance.input = *input;
  if (amount.ends_with('%')) {
    tolerance.percent = true;
    amount.remove_suffix(1);
  }
  const auto delta = cases::ReadPointNumber(amount);
  if (!delta || *delta < 0) {
    parsed.refusal =
        "'" + std::string(text) + "': the tolerance is not a finite number of at least 0";
    return parsed;
  }
  tolerance.delta = *delta;
  parsed.tolerance = tolerance;
  return parsed;
}

ToleranceBand EvaluateToleranceBand(const cases::CaseValues& base,
                                    const std::vector<Tolerance>& tolerances, Search search) {
  if (tolerances.size() > kMaxTolerances) {
    throw std::invalid_argument("a tolerance band takes at most " + std::to_string(kMaxTolerances) +
                                " tolerances");
  }
  for (std::size_t k = 0; k < tolerances.size(); ++k) {
    for (std::size_t j = 0; j < k; ++j) {
      if (tolerances[j].input == tolerances[k].input) {
        throw std::invalid_argument("input '" +
                                    std::string(cases::kInputs[tolerances[k].input].name) +
                                    "' has two tolerances");
      }
    }
  }

  ToleranceBand band;
  bool anySolved = false;
  const auto take = [&](const cases::CaseValues& values, const DesignFigures& figures) {
    if (!figures.Solved()) {
      return false;
    }
    if (!anySolved || figures.uniformity < band.worstUniformity) {
      band.worstUniformity = figures.uniformity;
      band.worstUniformityCase = values;
    }
    band.bestUniformity =
        anySolved ? std::max(band.bestUniformity, figures.uniformity) : figures.uniformity;
    band.lowestEntrancePressure =
        anySolved ? std::min(band.lowestEntrancePressure, figures.entrancePressure)
                  : figures.entrancePressure;
    band.highestEntrancePressure =
        anySolved ? std::max(band.highestEntrancePressure, figures.entrancePressure)
                  : figures.entrancePressure;
    anySolved = true;
    return true;
  };

  band.centre = EvaluateDesign(base, search);
  take(base, band.centre);
  band.corners = std::uint64_t{1} << tolerances.size();
  for (std::uint64_t corner = 0; corner < band.corners; ++corner) {
    cases::CaseValues values = base;
    for (std::size_t k = 0; k < tolerances.size(); ++k) {
      const Tolerance& tolerance = tolerances[k];
      const double value = base[tolerance.input];
      const double delta =
          tolerance.percent ? std::fabs(value) * tolerance.delta * kPercent : tolerance.delta;
      values[tolerance.input] = (corner >> k) & 1U ? value + delta : value - delta;
    }
    if (!take(values, EvaluateDesign(values, search))) {
      ++band.unsolvedCorners;
    }
  }
  return band;
}

}  // namespace fluxeta::design
