// Cases for the solver tests, made from values as the main window would read them.
#pragma once

#include <vector>

#include "entrance_pressure_search.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"

namespace fluxeta::solver::testing {

// The case the main window starts with.
inline cases::CaseParameters DefaultCase() {
  return cases::MakeCase(cases::DefaultCaseValues());
}

// The default case with one change to its inputs; the derived values follow it.
template <typename Change>
cases::CaseParameters DefaultCaseWith(Change change) {
  cases::CaseParameters parameters = DefaultCase();
  change(parameters);
  return cases::MakeCase(cases::InputValues(parameters));
}

// Keeps the report of every sweep of a search.
class SweepRecorder : public SearchObserver {
 public:
  void SweepMade(const SweepReport& report) override { reports.push_back(report); }

  std::vector<SweepReport> reports;
};

}  // namespace fluxeta::solver::testing
