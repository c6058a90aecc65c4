// Design settings that ask for nothing, or for a die that cannot exist: each fault has one
// message, whichever front gave the settings. A front names its own settings (an option,
// a keyword, a box), so the messages take those names from it.
#pragma once

#include <array>
#include <stdexcept>
#include <string>
#include <string_view>

#include "fluxeta/design/design_limits.h"

namespace fluxeta::design {

class DesignModel;

class DesignRefusal : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

// How a front names the design settings in the messages that refuse them.
struct SettingNames {
  std::string allInputs;  // how to ask for every input: "add --all-inputs"
  std::string objective;
  std::string maxEvaluations;
  std::string relativeStep;
  std::array<std::string, kDesignLimits.size()> limits;
};

// The names of the tables' keys (max_pressure, max_evaluations…), every input asked for
// with `allInputs`.
SettingNames KeywordSettingNames(std::string allInputs);

// "unknown input 'X'; the inputs are Ain, gamma, …" and the like, a long name shortened.
[[noreturn]] void RefuseUnknownQuantity(const DesignModel& model, std::string_view name);

}  // namespace fluxeta::design
