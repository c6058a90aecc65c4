#include "fluxeta/coating/case_coating_window.h"

#include "fluxeta/case/station_table.h"
#include "fluxeta/coating/web_flow.h"

namespace fluxeta::coating {

CaseCoatingWindow EvaluateCaseCoatingWindow(const cases::CaseParameters& parameters,
                                            solver::Search search, const OperatingPoint& point) {
  cases::StationTable table;
  solver::SolverState state;
  const solver::SearchOutcome outcome = solver::SolveWithSearch(search, parameters, table, state);
  CaseCoatingWindow result;
  result.status = outcome.status;
  if (outcome.solve.converged) {
    result.window = EvaluateCoatingWindow(point, WebFlowOfStationTable(table, parameters));
  }
  return result;
}

}  // namespace fluxeta::coating
