#include "fluxeta/solver/search.h"

#include "robust_search.h"

namespace fluxeta::solver {

namespace {

base::Outcome OutcomeOfVerdict(RobustVerdict verdict) {
  switch (verdict) {
    case RobustVerdict::Converged:
      return base::Outcome::Converged;
    case RobustVerdict::RegimeGap:
      return base::Outcome::RegimeGap;
    case RobustVerdict::NoPhysicalSolution:
      return base::Outcome::NoPhysicalSolution;
    case RobustVerdict::NotConverged:
      break;
  }
  return base::Outcome::NotConverged;
}

}  // namespace

std::string_view SearchName(Search search) {
  return search == Search::Robust ? "robust" : "window";
}

std::optional<Search> SearchOfName(std::string_view name) {
  for (const Search search : {Search::Window, Search::Robust}) {
    if (SearchName(search) == name) {
      return search;
    }
  }
  return std::nullopt;
}

SearchOutcome SolveWithSearch(Search search, const cases::CaseParameters& parameters,
                              cases::StationTable& table, SolverState& state) {
  SearchOutcome outcome;
  if (search == Search::Window) {
    outcome.solve = SolveDieFlow(parameters, table, state);
    outcome.status =
        outcome.solve.converged ? base::Outcome::Converged : base::Outcome::NotConverged;
    return outcome;
  }
  outcome.robust = SolveDieFlowRobust(parameters, table, state);
  outcome.status = OutcomeOfVerdict(outcome.robust->verdict);
  outcome.solve.sweeps = outcome.robust->sweeps;
  outcome.solve.converged =
      outcome.status == base::Outcome::Converged || outcome.status == base::Outcome::RegimeGap;
  return outcome;
}

}  // namespace fluxeta::solver
