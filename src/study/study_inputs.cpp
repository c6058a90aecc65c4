#include "fluxeta/study/study_inputs.h"

#include <string>

#include "fluxeta/study/study_error.h"

namespace fluxeta::study {

namespace {
std::string NamesOf(bool fixedInWindow) {
  std::string names;
  for (const cases::InputSpec& input : cases::kInputs) {
    if (input.fixedInWindow == fixedInWindow) {
      names += names.empty() ? "" : ", ";
      names += input.name;
    }
  }
  return names;
}
}  // namespace

const StudyVariable& FindStudyInput(std::string_view name, bool allInputs) {
  if (const auto input = cases::FindInput(name)) {
    if (cases::kInputs[*input].fixedInWindow && !allInputs) {
      throw StudyError("input '" + std::string(name) +
                       "' is fixed by design; add --all-inputs to vary it");
    }
    return kInputVariables[*input];
  }
  throw StudyError("unknown input '" + std::string(name) + "' (one of " + NamesOf(false) +
                   "; with --all-inputs also " + NamesOf(true) + ")");
}

}  // namespace fluxeta::study
