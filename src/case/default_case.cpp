#include "case/default_case.h"

#include <algorithm>

#include "case/number_text.h"

namespace fluxeta::cases {

BoxTexts DefaultBoxTexts(char separator) {
  // Written with a point, then given the locale's separator, so that the default case
  // is a valid case in every locale.
  BoxTexts boxes{{"3.0", "0.1", "6.14", "3.0", "2.5", "66.0", "0.0254", "16.0", "1.3", "10.0",
                  "1.0", "0.5", "1.2", "33.0", kDefaultResultFileName, "50.0"}};
  for (int box = 1; box <= 16; ++box) {
    if (box != kResultFileNameBox) {
      std::replace(boxes.Edit(box).begin(), boxes.Edit(box).end(), '.', separator);
    }
  }
  return boxes;
}

BoxTexts DefaultBoxTexts() { return DefaultBoxTexts(DecimalSeparator()); }

}  // namespace fluxeta::cases
