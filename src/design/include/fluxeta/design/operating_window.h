// The operating window of a fixed die: a study over COUNT values of one quantity from
// FROM to TO, such as the flow rate or a material value, solved as a robust study.
#pragma once

#include <cstdint>
#include <string>

#include "fluxeta/design/design_model.h"
#include "fluxeta/design/design_refusal.h"

namespace fluxeta::design {

struct OperatingWindowSettings {
  std::string name;
  double from = 0;
  double to = 0;
  std::uint64_t count = 1;
  bool allInputs = false;  // also the quantities the window keeps fixed
};

// Raises DesignRefusal for an unknown quantity, one fixed unless every input is asked for,
// or ends outside the quantity's physical domain.
void CheckOperatingWindow(const DesignModel& model, const OperatingWindowSettings& settings,
                          const SettingNames& names);

}  // namespace fluxeta::design
