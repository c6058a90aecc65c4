#include "fluxeta/case/default_case.h"

#include "fluxeta/base/checked_real.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::cases {

CaseValues DefaultCaseValues() {
  CaseValues values{};
  for (std::size_t input = 0; input < kInputs.size(); ++input) {
    values[input] =
        base::StoreAsDouble(ParseNumber(kInputs[input].defaultText, kPointSeparator)).value();
  }
  return values;
}

CaseInputs DefaultCaseInputs() {
  const CaseValues values = DefaultCaseValues();
  CaseInputs inputs;
  for (std::size_t input = 0; input < kInputs.size(); ++input) {
    inputs[input] = values[input];
  }
  return inputs;
}

}  // namespace fluxeta::cases
