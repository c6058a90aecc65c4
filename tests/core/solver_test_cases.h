// Cases for the solver tests, built field by field as the main window would fill them.
#pragma once

#include <cmath>
#include <vector>

#include "base/checked_real.h"
#include "base/power_rule.h"
#include "case/case_parameters.h"
#include "solver/entrance_pressure_search.h"

namespace fluxeta::solver::testing {

// ηcr with the consistency K carried wide, and the taper angle θ.
inline void SetDerivedValues(cases::CaseParameters& parameters) {
  const cases::WideReal exponent = cases::WideReal(parameters.n) - 1.0L;
  const cases::WideReal consistency =
      cases::WideReal(parameters.eta0) / cases::WidePower(parameters.gamma0, exponent);
  parameters.etaCr =
      cases::StoreAsDouble(consistency * cases::WidePower(parameters.gammaCr, exponent)).value();
  parameters.theta = std::atan((parameters.Lin - parameters.Lend) / parameters.W);
}

// The case the main window starts with.
inline cases::CaseParameters DefaultCase() {
  cases::CaseParameters parameters;
  parameters.Ain = 3.0;
  parameters.gamma = 0.1;
  parameters.Pein = 6.14;
  parameters.Lin = 3.0;
  parameters.Lend = 2.5;
  parameters.W = 66.0;
  parameters.H = 0.0254;
  parameters.lambda = 16.0;
  parameters.alpha = 1.3;
  parameters.eta0 = 10.0;
  parameters.gamma0 = 1.0;
  parameters.n = 0.5;
  parameters.gammaCr = 50.0;
  parameters.rho = 1.2;
  parameters.Qin = 33.0;
  SetDerivedValues(parameters);
  return parameters;
}

// The default case with one change; the derived values follow it.
template <typename Change>
cases::CaseParameters DefaultCaseWith(Change change) {
  cases::CaseParameters parameters = DefaultCase();
  change(parameters);
  SetDerivedValues(parameters);
  return parameters;
}

// Keeps the report of every sweep of a search.
class SweepRecorder : public SearchObserver {
 public:
  void SweepMade(const SweepReport& report) override { reports.push_back(report); }

  std::vector<SweepReport> reports;
};

}  // namespace fluxeta::solver::testing
