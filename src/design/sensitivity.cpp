#include "fluxeta/design/sensitivity.h"

#include <algorithm>
#include <cmath>

#include "fluxeta/case/input_table.h"

namespace fluxeta::design {

namespace {
constexpr double kPercent = 0.01;

// The scale of an input: its value, or its plausible range where the value is zero.
double Scale(std::size_t input, double value) {
  const cases::InputSpec& spec = cases::kInputs[input];
  return value != 0 ? std::fabs(value) : spec.plausibleHigh - spec.plausibleLow;
}
}  // namespace

std::vector<std::size_t> SensitivityInputs(bool allInputs) {
  std::vector<std::size_t> inputs;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    if (allInputs || !cases::kInputs[input].fixedInWindow) {
      inputs.push_back(input);
    }
  }
  return inputs;
}

std::vector<Sensitivity> Sensitivities(const cases::CaseValues& base,
                                       const std::vector<std::size_t>& inputs, Search search,
                                       double relativeStep) {
  std::vector<Sensitivity> rows;
  for (const std::size_t input : inputs) {
    Sensitivity row;
    row.input = input;
    row.value = base[input];
    const double scale = Scale(input, row.value);
    row.step = relativeStep * scale;
    row.onePercent = kPercent * scale;

    cases::CaseValues below = base;
    cases::CaseValues above = base;
    below[input] = row.value - row.step;
    above[input] = row.value + row.step;
    const DesignFigures lower = EvaluateDesign(below, search);
    const DesignFigures upper = EvaluateDesign(above, search);
    row.solved = lower.Solved() && upper.Solved();
    if (row.solved) {
      const double span = above[input] - below[input];  // the steps as stored
      row.uniformityPerUnit = (upper.uniformity - lower.uniformity) / span;
      row.pressurePerUnit = (upper.entrancePressure - lower.entrancePressure) / span;
      row.uniformityPerPercent = row.uniformityPerUnit * row.onePercent;
      row.pressurePerPercent = row.pressurePerUnit * row.onePercent;
    }
    rows.push_back(row);
  }
  std::stable_sort(rows.begin(), rows.end(), [](const Sensitivity& a, const Sensitivity& b) {
    if (a.solved != b.solved) {
      return a.solved;
    }
    return std::fabs(a.uniformityPerPercent) > std::fabs(b.uniformityPerPercent);
  });
  return rows;
}

}  // namespace fluxeta::design
