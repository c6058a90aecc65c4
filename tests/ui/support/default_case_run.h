// A finished run of the default case, for tests that pin or report a result without going
// through the main window.
#pragma once

#include <QDateTime>

#include "finished_run.h"
#include "fluxeta/run/box_texts.h"
#include "fluxeta/run/calculation_run.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::ui::testing {

// The default case with the end slot length Lend (Edit5) replaced when given, solved as the
// main window solves it, finished at `finishedAt`.
inline FinishedRun SolvedDefaultCase(const char* endSlotLength, const QDateTime& finishedAt) {
  run::BoxTexts boxes = run::DefaultBoxTexts('.');
  if (endSlotLength != nullptr) {
    boxes.Edit(5) = endSlotLength;
  }
  FinishedRun finished;
  run::ReadCaseFromForm(boxes, '.', finished.parameters);
  const solver::Solution solution = solver::Solve(finished.parameters, solver::Search::Window);
  finished.table = solution.table;
  finished.outcome = solution.solve;
  finished.finishedAt = finishedAt;
  finished.search = kWindowSearchName;
  return finished;
}

}  // namespace fluxeta::ui::testing
