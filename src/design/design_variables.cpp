#include "fluxeta/design/design_variables.h"

#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::design {

std::optional<DesignVariable> VariableWithDefaultBounds(std::string_view name) {
  const auto input = cases::FindInput(name);
  if (!input) {
    return std::nullopt;
  }
  const cases::InputSpec& spec = cases::kInputs[*input];
  return DesignVariable{*input, spec.plausibleLow, spec.plausibleHigh};
}

ParsedVariable ParseDesignVariable(std::string_view text, bool allInputs) {
  const auto equals = text.find('=');
  const std::string_view name = text.substr(0, equals);
  ParsedVariable parsed;
  auto variable = VariableWithDefaultBounds(name);
  if (!variable) {
    parsed.refusal = "unknown input '" + std::string(name) + "'";
    return parsed;
  }
  if (cases::kInputs[variable->input].fixedInWindow && !allInputs) {
    parsed.refusal =
        "input '" + std::string(name) + "' is fixed by design; add --all-inputs to vary it";
    return parsed;
  }
  if (equals != std::string_view::npos) {
    const std::string_view range = text.substr(equals + 1);
    const auto colon = range.find(':');
    const auto low = cases::ReadPointNumber(range.substr(0, colon));
    const auto high = colon == std::string_view::npos
                          ? std::nullopt
                          : cases::ReadPointNumber(range.substr(colon + 1));
    if (!low || !high) {
      parsed.refusal = "'" + std::string(text) + "': expected NAME=LO:HI with finite numbers";
      return parsed;
    }
    if (!(*low < *high)) {
      parsed.refusal = "'" + std::string(text) + "': LO must be below HI";
      return parsed;
    }
    variable->low = *low;
    variable->high = *high;
  }
  parsed.variable = variable;
  return parsed;
}

}  // namespace fluxeta::design
