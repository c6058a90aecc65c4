#include "fluxeta/coating/case_coating_window.h"

#include "fluxeta/coating/web_flow.h"

namespace fluxeta::coating {

CaseCoatingWindow EvaluateCaseCoatingWindow(const cases::CaseParameters& parameters,
                                            solver::Search search, const OperatingPoint& point) {
  const solver::Solution solution = solver::Solve(parameters, search);
  CaseCoatingWindow result;
  result.status = solution.status;
  if (solution.solve.converged) {
    result.flow = WebFlowOfStationTable(solution.table, parameters);
    result.window = EvaluateCoatingWindow(point, *result.flow);
  }
  return result;
}

}  // namespace fluxeta::coating
