#include "fluxeta/design/design_figures.h"

#include <algorithm>

#include "fluxeta/base/errors.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"
#include "fluxeta/solver/solver_state.h"

namespace fluxeta::design {

DesignFigures EvaluateDesign(const cases::CaseValues& values, Search search) {
  DesignFigures figures;
  cases::StationTable table;
  solver::SolverState state;
  try {
    const cases::CaseParameters parameters = cases::MakeCase(values);
    const solver::SearchOutcome outcome = solver::SolveWithSearch(search, parameters, table, state);
    figures.sweeps = outcome.solve.sweeps;
    figures.status = outcome.status;
  } catch (const base::FluxetaError& error) {
    figures.status = error.outcome();
    return figures;
  }
  if (figures.Solved()) {
    figures.uniformity = table.Uniformity;
    figures.entrancePressure = table.P[1];
    const auto firstStation = table.RTime.begin() + 1;
    figures.longestResidenceTime =
        *std::max_element(firstStation, firstStation + cases::StationCount);
  }
  return figures;
}

}  // namespace fluxeta::design
