// The entrance pressure of the general die model: the root of the flow left at the closed
// end, bracketed from a first guess and narrowed by TOMS 748.
#pragma once

#include <vector>

#include "die_integration.h"
#include "fluxeta/base/outcome.h"

namespace fluxeta::solver {

// A converged answer leaves at most this share of the flow at the closed end.
inline constexpr double kDieConvergedMiss = 1e-9;

// One integration and where it ended.
struct DieShot {
  double entrancePressure = 0;
  DieSweepEnd end;
  std::vector<DieState> states;
};

struct DieShooting {
  base::Outcome status = base::Outcome::NotConverged;
  DieShot answer;  // the root; or, without one, the integration that shows why
  int sweeps = 0;
};

DieShooting ShootEntrancePressure(DieIntegration& integration);

}  // namespace fluxeta::solver
