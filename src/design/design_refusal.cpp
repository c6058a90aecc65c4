#include "fluxeta/design/design_refusal.h"

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/design/design_model.h"

namespace fluxeta::design {

SettingNames KeywordSettingNames(std::string allInputs) {
  SettingNames names;
  names.allInputs = std::move(allInputs);
  names.objective = "objective";
  names.maxEvaluations = "max_evaluations";
  names.relativeStep = "relative_step";
  for (std::size_t limit = 0; limit < kDesignLimits.size(); ++limit) {
    names.limits[limit] = std::string(kDesignLimits[limit].key);
  }
  return names;
}

void RefuseUnknownQuantity(const DesignModel& model, std::string_view name) {
  const std::string noun(model.QuantityNoun());
  throw DesignRefusal("unknown " + noun + " '" + base::ShortQuote(name) + "'; the " + noun +
                      "s are " + model.NameList());
}

}  // namespace fluxeta::design
