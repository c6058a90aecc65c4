#include "case_evaluation.h"

#include <algorithm>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"
#include "fluxeta/solver/robust_outcome.h"

namespace fluxeta::study {

namespace {

// The row of a solve.
void RecordSolution(const solver::Solution& solve, CaseResult& result) {
  result.sweeps = solve.solve.sweeps;
  result.status = solve.status;
  if (solve.robust && solve.status != base::Outcome::Converged) {
    result.outcome = solver::DescribeOutcome(*solve.robust);
  }
  if (!solve.solve.converged) {
    if (!solve.robust) {
      result.outcome = base::messages::kDoesNotConverge;
    }
    return;
  }
  if (solve.status == base::Outcome::RegimeGap) {
    result.gapAnswer = true;
    result.entrancePressureSpread = solve.robust->spread.entrancePressure;
    result.uniformitySpread = solve.robust->spread.uniformity;
  }

  const cases::StationTable& table = solve.table;
  result.converged = solve.status == base::Outcome::Converged;
  result.entrancePressure = table.P[1];
  result.uniformity = table.Uniformity;
  result.delQRms = table.DelQRms;
  const auto firstStation = table.Q_DIFF.begin() + 1;
  const auto [smallest, largest] =
      std::minmax_element(firstStation, firstStation + cases::StationCount);
  result.qDiffMin = *smallest;
  result.qDiffMax = *largest;
}

}  // namespace

void EvaluateCase(const std::function<double(std::size_t input)>& storedInput, CaseRecords& records,
                  CaseResult& result, solver::Search search) {
  result = CaseResult{};
  records.parameters = cases::CaseParameters{};
  try {
    cases::StoreInputs(records.parameters, storedInput);
    // Read where it was made: the station table is not copied for every case.
    const solver::Solution solve = solver::Solve(records.parameters, search);
    RecordSolution(solve, result);
  } catch (const base::ConversionError& error) {
    // The cell quoted by its two ends only: the row stays readable whatever was typed.
    result.status = error.outcome();
    result.outcome = base::messages::ConversionMessage(base::ShortQuote(error.text()));
  } catch (const base::FluxetaError& error) {
    result.status = error.outcome();
    result.outcome = error.message();
  }
}

}  // namespace fluxeta::study
