#include "fluxeta/design/design_figures.h"

#include <algorithm>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::design {

DesignFigures EvaluateDesign(const cases::CaseValues& values, Search search) {
  DesignFigures figures;
  solver::Solution solution;
  try {
    solution = solver::Solve(cases::MakeCase(values), search);
    figures.sweeps = solution.solve.sweeps;
    figures.status = solution.status;
  } catch (const base::FluxetaError& error) {
    figures.status = error.outcome();
    return figures;
  }
  if (figures.Solved()) {
    const cases::StationTable& table = solution.table;
    figures.uniformity = table.Uniformity;
    figures.entrancePressure = table.P[1];
    const auto firstStation = table.RTime.begin() + 1;
    figures.longestResidenceTime =
        *std::max_element(firstStation, firstStation + cases::StationCount);
  }
  return figures;
}

}  // namespace fluxeta::design
