#include "fluxeta/design/operating_window.h"

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::design {

void CheckOperatingWindow(const DesignModel& model, const OperatingWindowSettings& settings,
                          const SettingNames& names) {
  const auto quantity = model.Find(settings.name);
  if (!quantity) {
    RefuseUnknownQuantity(model, settings.name);
  }
  const DesignQuantity& spec = model.Quantities()[*quantity];
  const std::string subject =
      std::string(model.QuantityNoun()) + " '" + base::ShortQuote(spec.name) + "'";
  if (spec.fixedUnlessAllInputs && !settings.allInputs) {
    throw DesignRefusal(subject + " is fixed by design; " + names.allInputs + " to vary it");
  }
  for (const double end : {settings.from, settings.to}) {
    if (!cases::InDomain(spec.domain, end)) {
      throw DesignRefusal("the operating window of " + subject + " must lie where it is " +
                          std::string(cases::DomainText(spec.domain)) + ", not at " +
                          cases::ShortestText(end));
    }
  }
}

}  // namespace fluxeta::design
