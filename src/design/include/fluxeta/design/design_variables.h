// The inputs a design may change, each between bounds.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fluxeta::design {

struct DesignVariable {
  std::size_t input = 0;  // index into the input table
  double low = 0;         // bounds, in the input's unit
  double high = 0;
};

// The variable of input `name` with its plausible range from the input table as bounds.
// nullopt for an unknown name.
std::optional<DesignVariable> VariableWithDefaultBounds(std::string_view name);

// Reads NAME or NAME=LO:HI (numbers written with a point). Returns the reason when the text
// cannot be a design variable: an unknown name, an input the window keeps fixed unless
// `allInputs`, a bound that is not a finite number, or LO not below HI.
struct ParsedVariable {
  std::optional<DesignVariable> variable;
  std::string refusal;
};
ParsedVariable ParseDesignVariable(std::string_view text, bool allInputs);

}  // namespace fluxeta::design
