#include "fluxeta/coating/web_flow.h"

namespace fluxeta::coating {

WebFlow WebFlowOfStationTable(const cases::StationTable& table,
                              const cases::CaseParameters& parameters) {
  WebFlow flow{{},
               {},
               liquids::Liquid(liquids::WindowLiquid(parameters.eta0, parameters.gamma0,
                                                     parameters.n, parameters.gammaCr))};
  const double interval = parameters.W / cases::StationCount;  // cm
  for (int station = 1; station <= cases::StationCount; ++station) {
    flow.x.push_back(table.X[station]);
    flow.flowPerWidth.push_back(table.DelQ[station] / interval);
  }
  return flow;
}

WebFlow WebFlowOfDieSolution(const solver::DieSolution& solution) {
  WebFlow flow{{}, {}, solution.liquid};
  for (int station = 0; station < solution.stations; ++station) {
    flow.x.push_back(solution.table.X[station]);
    flow.flowPerWidth.push_back(solution.SlotFlowPerWidth(station));
  }
  return flow;
}

}  // namespace fluxeta::coating
