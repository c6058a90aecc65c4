// What a study keeps of one case: its outcome and the summary of its solution.
#pragma once

#include <string>

#include "fluxeta/base/outcome.h"

namespace fluxeta::study {

struct CaseResult {
  bool converged = false;
  base::Outcome status = base::Outcome::Converged;
  int sweeps = 0;       // sweeps of the search; 0 when the solve did not run to its end
  std::string outcome;  // why the case did not finish, in the window's words; empty when solved
  // The figures of a converged case.
  double entrancePressure = 0;  // P_1 (Pa)
  double uniformity = 0;        // (-)
  double delQRms = 0;           // (cm3/s)
  double qDiffMin = 0;          // smallest Q_DIFF over the stations (%)
  double qDiffMax = 0;          // largest Q_DIFF over the stations (%)
  double flowRatio = 0;         // a die's smallest over its largest slot flow (-)
  // A robust regime gap: figures of the closer-regime answer, and how far the answers of
  // the other tie-breaks lie from it.
  bool gapAnswer = false;
  double entrancePressureSpread = 0;  // Pa
  double uniformitySpread = 0;        // (-)
};

}  // namespace fluxeta::study
