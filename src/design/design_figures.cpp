#include "design/design_figures.h"

#include <algorithm>

#include "base/errors.h"
#include "case/station_table.h"
#include "solver/solve_die_flow.h"
#include "solver/solver_state.h"

namespace fluxeta::design {

std::string_view SearchName(Search search) {
  return search == Search::Robust ? "robust" : "window";
}

DesignFigures EvaluateDesign(const cases::CaseValues& values, Search search) {
  DesignFigures figures;
  cases::StationTable table;
  solver::SolverState state;
  try {
    const cases::CaseParameters parameters = cases::MakeCase(values);
    const solver::SolveOutcome outcome = solver::SolveDieFlow(parameters, table, state);
    figures.sweeps = outcome.sweeps;
    figures.status = outcome.converged ? cases::Outcome::Converged : cases::Outcome::NotConverged;
  } catch (const cases::FluxetaError& error) {
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
