#include "fluxeta/solver/die_solve.h"

#include <cmath>
#include <sstream>

#include "die_integration.h"
#include "die_shooting.h"
#include "die_station_rows.h"
#include "fluxeta/base/fault_flags.h"

namespace fluxeta::solver {

DieSolution SolveDie(const DieModel& model, int stations) {
  const cases::DieFeed feed = model.document().feed();
  cases::CheckDieStations(stations, feed, "stations");
  const int intervals = feed == cases::DieFeed::Centre ? stations / 2 : stations;
  const base::FaultFlagScope faults;
  DieIntegration integration(model, intervals);
  const DieShooting shooting = ShootEntrancePressure(integration);
  DieSolution solution = MakeDieSolution(model, integration, shooting);
  base::RaiseOnFaultFlags();
  return solution;
}

DieSolution SolveDie(const cases::DieDocument& document) {
  return SolveDie(DieModel(document), document.stations);
}

std::string DescribeDieOutcome(const DieSolution& solution) {
  std::string text(base::OutcomeCode(solution.status));
  if (solution.converged()) {
    return text;
  }
  std::ostringstream where;
  where.precision(4);
  where << solution.shortfallPosition << " cm from the feed (station " << solution.shortfallStation
        << ")";
  switch (solution.shortfall) {
    case DieShortfall::PressureRunsOut:
      return text + ": the pressure runs out at " + where.str() + " while liquid remains";
    case DieShortfall::ManifoldEmpties:
      return text + ": the manifold runs empty at " + where.str() + ", before the closed end";
    case DieShortfall::None:
      break;
  }
  return text + ": the root finder's budget ran out";
}

}  // namespace fluxeta::solver
