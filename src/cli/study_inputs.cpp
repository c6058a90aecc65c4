#include "cli/study_inputs.h"

#include <string>

#include "cli/study_error.h"

namespace fluxeta::cli {

namespace {
std::string NamesOf(bool fixedByDesign) {
  std::string names;
  for (const StudyInput& input : kStudyInputs) {
    if (input.fixedByDesign == fixedByDesign) {
      names += names.empty() ? "" : ", ";
      names += input.name;
    }
  }
  return names;
}
}  // namespace

const StudyInput& FindStudyInput(std::string_view name, bool allInputs) {
  for (const StudyInput& input : kStudyInputs) {
    if (input.name != name) {
      continue;
    }
    if (input.fixedByDesign && !allInputs) {
      throw StudyError("input '" + std::string(name) +
                       "' is fixed by design; add --all-inputs to vary it");
    }
    return input;
  }
  throw StudyError("unknown input '" + std::string(name) + "' (one of " + NamesOf(false) +
                   "; with --all-inputs also " + NamesOf(true) + ")");
}

}  // namespace fluxeta::cli
