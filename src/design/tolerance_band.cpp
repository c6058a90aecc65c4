#include "fluxeta/design/tolerance_band.h"

#include <algorithm>
#include <cmath>

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::design {

namespace {
constexpr double kPercent = 0.01;
constexpr std::string_view kPlusMinus = "±";  // UTF-8

// The half width of a tolerance around the value `value`.
double Delta(const Tolerance& tolerance, double value) {
  return tolerance.percent ? std::fabs(value) * tolerance.delta * kPercent : tolerance.delta;
}

std::string Quoted(std::string_view name) {
  return "'" + base::ShortQuote(name) + "'";
}
}  // namespace

ParsedTolerance ParseTolerance(const DesignModel& model, std::string_view text) {
  ParsedTolerance parsed;
  const auto equals = text.find('=');
  const std::string_view name = text.substr(0, equals);
  const auto quantity = model.Find(name);
  if (!quantity) {
    const std::string noun(model.QuantityNoun());
    parsed.refusal =
        "unknown " + noun + " " + Quoted(name) + "; the " + noun + "s are " + model.NameList();
    return parsed;
  }
  if (equals == std::string_view::npos) {
    parsed.refusal = Quoted(text) + ": expected NAME=±DELTA or NAME=±PCT%";
    return parsed;
  }
  std::string_view amount = text.substr(equals + 1);
  if (amount.starts_with(kPlusMinus)) {
    amount.remove_prefix(kPlusMinus.size());
  } else if (amount.starts_with("+-")) {
    amount.remove_prefix(2);
  }
  Tolerance tolerance;
  tolerance.quantity = *quantity;
  if (amount.ends_with('%')) {
    tolerance.percent = true;
    amount.remove_suffix(1);
  }
  const auto delta = cases::ReadPointNumber(amount);
  if (!delta || *delta < 0) {
    parsed.refusal = Quoted(text) + ": the tolerance is not a finite number of at least 0";
    return parsed;
  }
  tolerance.delta = *delta;
  parsed.tolerance = tolerance;
  return parsed;
}

void CheckToleranceBand(const DesignModel& model, const ToleranceSettings& settings,
                        const SettingNames& names) {
  const std::vector<Tolerance>& tolerances = settings.tolerances;
  if (tolerances.empty()) {
    throw DesignRefusal("no tolerance: give at least one " + std::string(model.QuantityNoun()) +
                        " a tolerance");
  }
  if (tolerances.size() > kMaxTolerances) {
    throw DesignRefusal("a tolerance band takes at most " + std::to_string(kMaxTolerances) +
                        " tolerances, not " + std::to_string(tolerances.size()));
  }
  const std::string noun(model.QuantityNoun());
  const DesignPoint base = model.BasePoint();
  for (std::size_t k = 0; k < tolerances.size(); ++k) {
    const Tolerance& tolerance = tolerances[k];
    const DesignQuantity& spec = model.Quantities().at(tolerance.quantity);
    for (std::size_t j = 0; j < k; ++j) {
      if (tolerances[j].quantity == tolerance.quantity) {
        throw DesignRefusal(noun + " " + Quoted(spec.name) + " has two tolerances");
      }
    }
    if (spec.fixedUnlessAllInputs && !settings.allInputs) {
      throw DesignRefusal(noun + " " + Quoted(spec.name) + " is fixed by design; " +
                          names.allInputs + " to vary it");
    }
    if (!(std::isfinite(tolerance.delta) && tolerance.delta >= 0)) {
      throw DesignRefusal("the tolerance of " + Quoted(spec.name) +
                          " must be a finite number of at least 0, not " +
                          cases::ShortestText(tolerance.delta));
    }
    const double value = base[tolerance.quantity];
    const double delta = Delta(tolerance, value);
    for (const double corner : {value - delta, value + delta}) {
      if (!cases::InDomain(spec.domain, corner)) {
        throw DesignRefusal("the tolerance of " + Quoted(spec.name) + " takes it to " +
                            cases::ShortestText(corner) + ", which is not " +
                            std::string(cases::DomainText(spec.domain)));
      }
    }
  }
}

ToleranceBand EvaluateToleranceBand(const DesignModel& model, const ToleranceSettings& settings) {
  CheckToleranceBand(model, settings, KeywordSettingNames("ask for every input"));
  const std::vector<Tolerance>& tolerances = settings.tolerances;
  const DesignPoint base = model.BasePoint();

  ToleranceBand band;
  bool anySolved = false;
  const auto take = [&](const DesignPoint& values, const DesignFigures& figures) {
    if (!figures.Solved()) {
      if (!band.firstUnsolved) {
        band.firstUnsolved = UnsolvedPoint{values, figures.status};
      }
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

  band.centre = model.Evaluate(base);
  take(base, band.centre);
  band.corners = std::uint64_t{1} << tolerances.size();
  for (std::uint64_t corner = 0; corner < band.corners; ++corner) {
    DesignPoint values = base;
    for (std::size_t k = 0; k < tolerances.size(); ++k) {
      const Tolerance& tolerance = tolerances[k];
      const double value = base[tolerance.quantity];
      const double delta = Delta(tolerance, value);
      values[tolerance.quantity] = (corner >> k) & 1U ? value + delta : value - delta;
    }
    if (!take(values, model.Evaluate(values))) {
      ++band.unsolvedCorners;
    }
  }
  return band;
}

std::string UnsolvedPointsText(const DesignModel& model, const ToleranceBand& band) {
  std::string text;
  if (!band.centre.Solved()) {
    text = "the centre (" + std::string(base::OutcomeCode(band.centre.status)) + ")";
    if (band.unsolvedCorners > 0) {
      text += " and ";
    }
  }
  if (band.unsolvedCorners > 0) {
    text +=
        std::to_string(band.unsolvedCorners) + " of " + std::to_string(band.corners) + " corners";
  }
  text += " could not be solved";
  if (band.centre.Solved() && band.firstUnsolved) {
    const DesignPoint base = model.BasePoint();
    std::string where;
    for (std::size_t k = 0; k < base.size(); ++k) {
      if (band.firstUnsolved->values[k] != base[k]) {
        where += where.empty() ? "" : ", ";
        where +=
            model.Quantities()[k].name + " = " + cases::ShortestText(band.firstUnsolved->values[k]);
      }
    }
    text += ", the first at " + where + " (" +
            std::string(base::OutcomeCode(band.firstUnsolved->status)) + ")";
  }
  return text;
}

}  // namespace fluxeta::design
