#include "run/calculation_run.h"

#include "base/messages.h"
#include "run/result_file.h"
#include "solver/physical_check.h"
#include "solver/robust_outcome.h"

namespace fluxeta::cases {

void ClearConvergedResults(StationTable& table) {
  table.Q_DIFF.fill(0);
  table.RTime.fill(0);
  table.DelQRms = 0;
  table.Uniformity = 0;
}

RunReport CalculationRun(RunFrontEnd& frontEnd, CaseParameters& parameters, StationTable& table,
                         solver::SolverState& state, solver::Search search) {
  RunReport report;
  const char separator = frontEnd.DecimalSeparator();
  ReadCaseFromForm(frontEnd.Boxes(), separator, parameters);

  // Without an input section there is nothing to append a result to; solving anyway
  // would only lead to a second failure, or to a result appended to a stranger's file.
  if (!WriteInputSection(parameters, separator)) {
    frontEnd.ShowMessage(messages::kFileCanNotOpen);
    report.outcome = RunOutcome::FileNotOpened;
    return report;
  }

  const solver::SearchOutcome solved = solver::SolveWithSearch(search, parameters, table, state);
  report.solve = solved.solve;
  report.status = solved.status;
  if (!report.solve.converged) {
    ClearConvergedResults(table);
    frontEnd.ShowMessage(solved.robust ? solver::DescribeOutcome(*solved.robust)
                                       : std::string(messages::kDoesNotConverge));
  } else if (solved.status == Outcome::RegimeGap) {
    frontEnd.ShowWarning(solver::DescribeOutcome(*solved.robust));
  } else if (const auto unphysical = solver::FindUnphysicalStations(table); !unphysical.empty()) {
    frontEnd.ShowWarning(solver::UnphysicalStationsWarning(unphysical));
  }

  if (!WriteResultSection(parameters, table, separator)) {
    frontEnd.ShowMessage(messages::kFileCanNotOpen);
    report.outcome = RunOutcome::FileNotOpened;
    return report;
  }

  // The completion dialog announces a result; a run that did not converge has none.
  if (!report.solve.converged) {
    report.outcome = RunOutcome::NotConverged;
    return report;
  }
  frontEnd.ShowSolution(report.solve);
  frontEnd.ShowCompletion();
  report.outcome = RunOutcome::Finished;
  return report;
}

}  // namespace fluxeta::cases
