#include "fluxeta/coating/die_coating_window.h"

#include "fluxeta/coating/web_flow.h"
#include "fluxeta/solver/die_solve.h"

namespace fluxeta::coating {

DieCoatingWindow EvaluateDieCoatingWindow(const solver::DieModel& model, int stations,
                                          const OperatingPoint& point) {
  DieCoatingWindow result;
  result.solution = solver::SolveDie(model, stations);
  if (result.solution.converged()) {
    result.flow = WebFlowOfDieSolution(result.solution);
    result.window = EvaluateCoatingWindow(point, *result.flow);
  }
  return result;
}

}  // namespace fluxeta::coating
