// How strongly each input moves a solved design: the change of uniformity and of entrance
// pressure per unit change and per 1 % change of the input, by central differences.
#pragma once

#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/design/design_figures.h"

namespace fluxeta::design {

// The step of each difference, relative to the input's value (or to its plausible range
// where the value is zero).
inline constexpr double kSensitivityRelativeStep = 1e-3;

struct Sensitivity {
  std::size_t input = 0;
  double value = 0;  // the input's value in the design
  double step = 0;   // h: the design is solved at value − h and value + h
  // 1 % of the value, or of the plausible range where the value is zero.
  double onePercent = 0;
  bool solved = false;           // both neighbours solved; otherwise the figures are zero
  double uniformityPerUnit = 0;  // 1/unit of the input
  double pressurePerUnit = 0;    // Pa per unit of the input
  double uniformityPerPercent = 0;
  double pressurePerPercent = 0;  // Pa
};

// The sensitivities of the design `base` to each of `inputs` (indices into the input
// table), sorted by the size of their effect on uniformity, largest first; inputs whose
// neighbours could not be solved come last. `relativeStep` sets h.
std::vector<Sensitivity> Sensitivities(const cases::CaseValues& base,
                                       const std::vector<std::size_t>& inputs, Search search,
                                       double relativeStep = kSensitivityRelativeStep);

// The inputs the window lets the user change, or every input with `allInputs`.
std::vector<std::size_t> SensitivityInputs(bool allInputs);

}  // namespace fluxeta::design
