#include "fluxeta/case/default_case.h"

#include <algorithm>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::cases {

BoxTexts DefaultBoxTexts(char separator) {
  // Written with a point, then given the separator, so that the default case is a valid
  // case in every locale.
  BoxTexts boxes;
  for (const InputSpec& input : kInputs) {
    std::string& text = boxes.Edit(input.box);
    text = input.defaultText;
    std::replace(text.begin(), text.end(), kPointSeparator, separator);
  }
  boxes.Edit(kResultFileNameBox) = kDefaultResultFileName;
  return boxes;
}

CaseValues DefaultCaseValues() {
  CaseValues values{};
  for (std::size_t input = 0; input < kInputs.size(); ++input) {
    values[input] =
        base::StoreAsDouble(ParseNumber(kInputs[input].defaultText, kPointSeparator)).value();
  }
  return values;
}

}  // namespace fluxeta::cases
