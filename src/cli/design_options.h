// The design commands of fluxeta-batch: --optimise, --sensitivity, --tolerance and the
// settings of each, read as the command line writes them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fluxeta/design/design_refusal.h"
#include "fluxeta/design/optimiser.h"
#include "fluxeta/design/tolerance_band.h"

namespace CLI {
class App;
}

namespace fluxeta::cli {

struct DesignOptions {
  std::vector<std::string> optimise;  // NAME or NAME=LO:HI each
  std::optional<std::string> objective;
  design::DesignLimits limits;
  std::optional<long long> maxEvaluations;
  std::optional<std::string> historyFile;
  bool sensitivity = false;
  std::vector<std::string> tolerances;  // NAME=±DELTA or NAME=±PCT% each

  bool Any() const { return !optimise.empty() || sensitivity || !tolerances.empty(); }
};

// Declares the design options on `app`, the settings of --optimise needing it.
void AddDesignOptions(CLI::App& app, DesignOptions& options);

// The command line's names of the design settings, for the design's messages.
design::SettingNames CommandLineSettingNames();

// The settings of --optimise as written; raises DesignRefusal for a text that is not
// NAME or NAME=LO:HI, or an unknown objective.
design::OptimiseSettings OptimiseSettingsOf(const DesignOptions& options, bool allInputs);

// The tolerances as written, on `model`; raises DesignRefusal for a text that is not one.
design::ToleranceSettings ToleranceSettingsOf(const DesignOptions& options,
                                              const design::DesignModel& model, bool allInputs);

}  // namespace fluxeta::cli
