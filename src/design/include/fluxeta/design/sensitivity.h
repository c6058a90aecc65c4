// How strongly each quantity moves a solved design: the change of uniformity and of
// entrance pressure per unit change and per 1 % change of the quantity, by central
// differences.
#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "fluxeta/design/design_model.h"
#include "fluxeta/design/design_refusal.h"

namespace fluxeta::design {

// The step of each difference, relative to the quantity's value (or to its plausible
// range where the value is zero).
inline constexpr double kSensitivityRelativeStep = 1e-3;
// A smaller step drowns the difference in the solve's own error (1e-10 of the feed).
inline constexpr double kSmallestRelativeStep = 1e-6;

struct SensitivitySettings {
  bool allInputs = false;              // also the quantities the window keeps fixed
  std::optional<double> relativeStep;  // none: kSensitivityRelativeStep
};

struct Sensitivity {
  std::size_t quantity = 0;
  double value = 0;  // the quantity's value in the design
  double step = 0;   // h: the design is solved at value − h and value + h
  // 1 % of the value, or of the plausible range where the value is zero.
  double onePercent = 0;
  bool solved = false;           // both neighbours solved; otherwise the figures are zero
  double uniformityPerUnit = 0;  // 1/unit of the quantity
  double pressurePerUnit = 0;    // Pa per unit of the quantity
  double uniformityPerPercent = 0;
  double pressurePerPercent = 0;  // Pa
};

struct SensitivityResult {
  DesignFigures centre;  // the design itself; no rows unless it is solved
  double relativeStep = kSensitivityRelativeStep;
  // Sorted by the size of their effect on uniformity, largest first; quantities whose
  // neighbours could not be solved come last.
  std::vector<Sensitivity> rows;
};

// The step the settings ask for; raises DesignRefusal for one outside
// [kSmallestRelativeStep, 1).
double CheckSensitivities(const SensitivitySettings& settings, const SettingNames& names);

// The quantities studied: those the window lets the user change, or all with `allInputs`.
std::vector<std::size_t> SensitivityQuantities(const DesignModel& model, bool allInputs);

// Solves the design and, when it is solved, its neighbours for each quantity.
SensitivityResult Sensitivities(const DesignModel& model, const SensitivitySettings& settings);

}  // namespace fluxeta::design
