// A run that converged and wrote its result section, as the workbench keeps it.
#pragma once

#include <QDateTime>
#include <QString>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/station_table.h"
#include "fluxeta/solver/search.h"

namespace fluxeta::ui {

// The name of the main window's entrance-pressure search.
inline const QString kWindowSearchName = QStringLiteral("window");

struct FinishedRun {
  cases::CaseParameters parameters;
  cases::StationTable table;
  solver::SolveOutcome outcome;
  QString resultFile;    // absolute path of the result file it wrote
  QDateTime finishedAt;  // local time at which the solution was ready
  QString search;        // the entrance-pressure search that solved it
};

}  // namespace fluxeta::ui
