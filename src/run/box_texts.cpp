#include "fluxeta/run/box_texts.h"

#include <algorithm>

#include "fluxeta/case/number_text.h"

namespace fluxeta::run {

BoxTexts DefaultBoxTexts(char separator) {
  // Written with a point, then given the separator, so that the default case is a valid
  // case in every locale.
  BoxTexts boxes;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    std::string& text = boxes.Input(input);
    text = cases::kInputs[input].defaultText;
    std::replace(text.begin(), text.end(), cases::kPointSeparator, separator);
  }
  boxes.Edit(kResultFileNameBox) = cases::kDefaultResultFileName;
  return boxes;
}

cases::CaseInputs InputsOfBoxes(const BoxTexts& boxes, char separator) {
  cases::CaseInputs inputs;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    inputs[input] = cases::InputValue::OfText(boxes.Input(input), separator);
  }
  return inputs;
}

void ReadCaseFromForm(const BoxTexts& boxes, char separator, cases::CaseParameters& parameters) {
  cases::StoreInputs(parameters, InputsOfBoxes(boxes, separator));
  parameters.ResultFileName = boxes.Edit(kResultFileNameBox);
}

}  // namespace fluxeta::run
