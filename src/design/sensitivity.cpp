#include "fluxeta/design/sensitivity.h"

#include <algorithm>
#include <cmath>

#include "fluxeta/case/number_text.h"

namespace fluxeta::design {

namespace {
constexpr double kPercent = 0.01;

// The scale of a quantity: its value, or where the value is zero its plausible range (a
// unit where it has none).
double Scale(const DesignQuantity& quantity, double value) {
  if (value != 0) {
    return std::fabs(value);
  }
  return quantity.plausible ? quantity.plausible->high - quantity.plausible->low : 1.0;
}
}  // namespace

double CheckSensitivities(const SensitivitySettings& settings, const SettingNames& names) {
  const double step = settings.relativeStep.value_or(kSensitivityRelativeStep);
  if (!(step >= kSmallestRelativeStep && step < 1)) {
    throw DesignRefusal(names.relativeStep + " must be from " +
                        cases::ShortestText(kSmallestRelativeStep) +
                        " to below 1 (a step of the value's size or more would solve the "
                        "design on the far side of zero), not " +
                        cases::ShortestText(step));
  }
  return step;
}

std::vector<std::size_t> SensitivityQuantities(const DesignModel& model, bool allInputs) {
  std::vector<std::size_t> quantities;
  for (std::size_t k = 0; k < model.Quantities().size(); ++k) {
    if (allInputs || !model.Quantities()[k].fixedUnlessAllInputs) {
      quantities.push_back(k);
    }
  }
  return quantities;
}

SensitivityResult Sensitivities(const DesignModel& model, const SensitivitySettings& settings) {
  SensitivityResult result;
  result.relativeStep = CheckSensitivities(settings, KeywordSettingNames("ask for every input"));
  const DesignPoint base = model.BasePoint();
  result.centre = model.Evaluate(base);
  if (!result.centre.Solved()) {
    return result;
  }
  for (const std::size_t quantity : SensitivityQuantities(model, settings.allInputs)) {
    const DesignQuantity& spec = model.Quantities()[quantity];
    Sensitivity row;
    row.quantity = quantity;
    row.value = base[quantity];
    const double scale = Scale(spec, row.value);
    row.step = result.relativeStep * scale;
    row.onePercent = kPercent * scale;

    DesignPoint below = base;
    DesignPoint above = base;
    below[quantity] = row.value - row.step;
    above[quantity] = row.value + row.step;
    // Both neighbours are designs that can exist, and the steps as stored differ.
    const double span = above[quantity] - below[quantity];
    if (cases::InDomain(spec.domain, below[quantity]) &&
        cases::InDomain(spec.domain, above[quantity]) && span > 0) {
      const DesignFigures lower = model.Evaluate(below);
      const DesignFigures upper = model.Evaluate(above);
      row.solved = lower.Solved() && upper.Solved();
      if (row.solved) {
        row.uniformityPerUnit = (upper.uniformity - lower.uniformity) / span;
        row.pressurePerUnit = (upper.entrancePressure - lower.entrancePressure) / span;
        row.uniformityPerPercent = row.uniformityPerUnit * row.onePercent;
        row.pressurePerPercent = row.pressurePerUnit * row.onePercent;
      }
    }
    result.rows.push_back(row);
  }
  std::stable_sort(result.rows.begin(), result.rows.end(),
                   [](const Sensitivity& a, const Sensitivity& b) {
                     if (a.solved != b.solved) {
                       return a.solved;
                     }
                     return std::fabs(a.uniformityPerPercent) > std::fabs(b.uniformityPerPercent);
                   });
  return result;
}

}  // namespace fluxeta::design
