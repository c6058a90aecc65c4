// What design asks of one candidate die: its verdict and the figures that judge it.
#pragma once

#include <string_view>

#include "fluxeta/base/outcome.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::design {

// The search that solves each candidate.
using solver::Search;

struct DesignFigures {
  base::Outcome status = base::Outcome::NotConverged;
  int sweeps = 0;
  double uniformity = 0;            // (-)
  double entrancePressure = 0;      // P_1 (Pa)
  double longestResidenceTime = 0;  // the largest RTime over the stations (s)

  bool Solved() const { return status == base::Outcome::Converged; }
};

// Solves the case of `values` with `search`. A floating-point fault or a verdict other than
// converged is a status, never an exception: a candidate that cannot be solved is simply
// not a design to choose.
DesignFigures EvaluateDesign(const cases::CaseValues& values, Search search);

}  // namespace fluxeta::design
