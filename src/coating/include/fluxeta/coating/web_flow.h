// A solved die as the web sees it: the flow per unit width that each station of the die
// lays on the web, and the liquid.
#pragma once

#include <vector>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/liquids/liquid.h"
#include "fluxeta/solver/die_solution.h"

namespace fluxeta::coating {

struct WebFlow {
  std::vector<double> x;             // station positions across the width (cm)
  std::vector<double> flowPerWidth;  // q, the slot flow per unit width (cm2/s)
  liquids::Liquid liquid;
};

// The window's die: station i's slot flow DelQ_i leaves along its interval of W/50, at X_i.
// Its liquid is the window's, η0 at γ0 with index n above γcr.
WebFlow WebFlowOfStationTable(const cases::StationTable& table,
                              const cases::CaseParameters& parameters);

// A die of the general model: station i's slot flow over its width Δx, at X_i across the
// whole width, and the document's liquid.
WebFlow WebFlowOfDieSolution(const solver::DieSolution& solution);

}  // namespace fluxeta::coating
