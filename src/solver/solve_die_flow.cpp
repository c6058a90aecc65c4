#include "solve_die_flow.h"

#include "distribution_results.h"
#include "entrance_pressure_search.h"
#include "rheology.h"

namespace fluxeta::solver {

SolveOutcome SolveDieFlow(const cases::CaseParameters& parameters, cases::StationTable& table,
                          solver::SolverState& state) {
  return SolveDieFlow(parameters, table, state, nullptr);
}

SolveOutcome SolveDieFlow(const cases::CaseParameters& parameters, cases::StationTable& table,
                          solver::SolverState& state, SearchObserver* observer) {
  SetUpStations(parameters, table, state);
  state.InitialEntrancePressure = FirstEntrancePressureGuess(table, state);
  table.P[1] = state.InitialEntrancePressure;
  const SolveOutcome outcome = SearchEntrancePressure(parameters, table, state, observer);
  if (outcome.converged) {
    ComputeDistributionResults(parameters, table);
  }
  return outcome;
}

}  // namespace fluxeta::solver
