#include "fluxeta/solver/search.h"

#include "robust_search.h"
#include "solve_die_flow.h"

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

Solution Solve(const cases::CaseParameters& parameters, Search search) {
  // A table of its own, zero at the start: whatever a solve does not work out stays zero,
  // and no solve sees another's values.
  Solution solution;
  SolverState state;
  if (search == Search::Window) {
    solution.solve = SolveDieFlow(parameters, solution.table, state);
    solution.status =
        solution.solve.converged ? base::Outcome::Converged : base::Outcome::NotConverged;
    return solution;
  }
  solution.robust = SolveDieFlowRobust(parameters, solution.table, state);
  solution.status = OutcomeOfVerdict(solution.robust->verdict);
  solution.solve.sweeps = solution.robust->sweeps;
  solution.solve.converged =
      solution.status == base::Outcome::Converged || solution.status == base::Outcome::RegimeGap;
  return solution;
}

}  // namespace fluxeta::solver
