#include "fluxeta/case/input_table.h"

namespace fluxeta::cases {

std::optional<std::size_t> FindInput(std::string_view name) {
  for (std::size_t input = 0; input < kInputs.size(); ++input) {
    if (kInputs[input].name == name) {
      return input;
    }
  }
  return std::nullopt;
}

}  // namespace fluxeta::cases
