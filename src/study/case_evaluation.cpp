#include "study/case_evaluation.h"

#include <algorithm>

#include "base/errors.h"
#include "base/messages.h"
#include "solver/solve_die_flow.h"

namespace fluxeta::study {

void EvaluateCase(const std::function<double(std::size_t input)>& storedInput, CaseRecords& records,
                  CaseResult& result) {
  result = CaseResult{};
  records.parameters = cases::CaseParameters{};
  records.table = cases::StationTable{};
  records.state = solver::SolverState{};
  try {
    cases::StoreInputs(records.parameters, storedInput);
    const solver::SolveOutcome solve =
        solver::SolveDieFlow(records.parameters, records.table, records.state);
    result.sweeps = solve.sweeps;
    if (!solve.converged) {
      result.status = cases::Outcome::NotConverged;
      result.outcome = cases::messages::kDoesNotConverge;
      return;
    }
  } catch (const cases::FluxetaError& error) {
    result.status = error.outcome();
    result.outcome = error.what();
    return;
  }

  const cases::StationTable& table = records.table;
  result.converged = true;
  result.status = cases::Outcome::Converged;
  result.entrancePressure = table.P[1];
  result.uniformity = table.Uniformity;
  result.delQRms = table.DelQRms;
  const auto firstStation = table.Q_DIFF.begin() + 1;
  const auto [smallest, largest] =
      std::minmax_element(firstStation, firstStation + cases::StationCount);
  result.qDiffMin = *smallest;
  result.qDiffMax = *largest;
}

}  // namespace fluxeta::study
