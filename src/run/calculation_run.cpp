#include "fluxeta/run/calculation_run.h"

#include "fluxeta/base/messages.h"
#include "fluxeta/run/result_file.h"
#include "fluxeta/solver/physical_check.h"
#include "fluxeta/solver/robust_outcome.h"

namespace fluxeta::run {

namespace {

RunReport FileNotOpened(RunFrontEnd& frontEnd, const std::string& path, const OpenFailure& failure,
                        RunReport report) {
  frontEnd.ShowFileFailure(path, failure);
  frontEnd.ShowMessage(base::messages::kFileCanNotOpen);
  report.outcome = RunOutcome::FileNotOpened;
  return report;
}

}  // namespace

RunCase WindowFrontEnd::Case() const {
  const BoxTexts boxes = Boxes();
  return {InputsOfBoxes(boxes, DecimalSeparator()), boxes.Edit(kResultFileNameBox)};
}

RunReport CalculationRun(RunFrontEnd& frontEnd, cases::CaseParameters& parameters,
                         solver::Search search) {
  RunReport report;
  const char separator = frontEnd.DecimalSeparator();
  RunCase start = frontEnd.Case();
  cases::StoreInputs(parameters, start.inputs);
  parameters.ResultFileName = std::move(start.resultFileName);

  // Without an input section there is nothing to append a result to; solving anyway
  // would only lead to a second failure, or to a result appended to a stranger's file.
  // The file stays locked for this run until its result section is written.
  ClaimedFile resultFile;
  if (const OpenFailure failure = WriteInputSection(parameters, separator, resultFile);
      !failure.empty()) {
    return FileNotOpened(frontEnd, parameters.ResultFileName, failure, report);
  }

  report.solution = solver::Solve(parameters, search);
  const solver::Solution& solved = report.solution;
  const cases::StationTable& table = solved.table;
  if (!solved.solve.converged) {
    frontEnd.ShowMessage(solved.robust ? solver::DescribeOutcome(*solved.robust)
                                       : std::string(base::messages::kDoesNotConverge));
  } else if (solved.status == base::Outcome::RegimeGap) {
    frontEnd.ShowWarning(solver::DescribeOutcome(*solved.robust));
  } else if (const auto unphysical = solver::FindUnphysicalStations(table); !unphysical.empty()) {
    frontEnd.ShowWarning(solver::UnphysicalStationsWarning(unphysical));
  }

  if (const OpenFailure failure = WriteResultSection(parameters, table, separator, resultFile);
      !failure.empty()) {
    return FileNotOpened(frontEnd, parameters.ResultFileName, failure, report);
  }

  // The completion dialog announces a result; a run that did not converge has none.
  if (!solved.solve.converged) {
    report.outcome = RunOutcome::NotConverged;
    return report;
  }
  frontEnd.ShowSolution(parameters, solved);
  frontEnd.ShowCompletion();
  report.outcome = RunOutcome::Finished;
  return report;
}

}  // namespace fluxeta::run
