// The design commands of fluxeta-batch: --optimise, --sensitivity, --tolerance.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fluxeta/design/design_figures.h"
#include "fluxeta/design/optimiser.h"

namespace CLI {
class App;
}

namespace fluxeta::cli {

struct DesignOptions {
  std::vector<std::string> optimise;  // NAME or NAME=LO:HI each
  std::string objective = "uniformity";
  std::optional<double> maxPressure;  // Pa
  std::optional<double> minUniformity;
  std::optional<double> maxResidenceTime;  // s
  std::optional<std::string> historyFile;
  bool sensitivity = false;
  std::vector<std::string> tolerances;  // NAME=±DELTA or NAME=±PCT% each

  bool Any() const { return !optimise.empty() || sensitivity || !tolerances.empty(); }
};

// Declares the design options on `app`.
void AddDesignOptions(CLI::App& app, DesignOptions& options);

}  // namespace fluxeta::cli
