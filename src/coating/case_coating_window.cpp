#include "fluxeta/coating/case_coating_window.h"

#include "fluxeta/coating/web_flow.h"

namespace fluxeta::coating {

CaseCoatingWindow EvaluateCaseCoatingWindow(const cases::CaseParameters& parameters,
                                            solver::Search search, const OperatingPoint& point) {
  const solver::Solution solution = solver::Solve(parameters, search);
  CaseCoatingWindow result;
  result.status = solution.status;
  if (solution.solve.converged) {
    result.window = EvaluateCoatingWindow(point, WebFlowOfStationTable(solution.table, parameters));
  }
  return result;
}

}  // namespace fluxeta::coating
