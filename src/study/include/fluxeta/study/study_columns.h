// The columns of a study's rows after the varied inputs, one row each: the study CSV, the
// workbench's table and Python's study columns all read this table.
#pragma once

#include <array>
#include <string_view>

#include "fluxeta/study/study_case_result.h"

namespace fluxeta::study {

// How a column's field of a row is written.
enum class ColumnKind {
  Verdict,  // converged: true or false
  Status,   // the outcome's code
  Sweeps,   // the count of sweeps, written where the solve ran to its end
  Outcome,  // the message of a case that did not finish
  Figure,   // a figure of the solution, written for a converged case or a regime gap's answer
  Spread,   // how far the other answers of a regime gap lie, written for a gap only
};

// Whose rows a study writes: the window's case solved by its own search or by the robust
// one, or a die document's, solved by the general die model.
enum class StudyRows { Window, Robust, Die };

struct StudyColumn {
  std::string_view name;   // CSV header and Python key
  std::string_view unit;   // "-" for a pure number or a text
  std::string_view title;  // the header of a table on the screen (UTF-8)
  ColumnKind kind;
  double CaseResult::*figure;  // the field of a Figure or Spread column
  bool robustOnly;             // only in the rows of a robust study
  bool dieOnly = false;        // only in the rows of a die study
};

inline constexpr auto kStudyColumns = std::to_array<StudyColumn>({
    {"converged", "-", "converged", ColumnKind::Verdict, nullptr, false},
    {"status", "-", "status", ColumnKind::Status, nullptr, false},
    {"sweeps", "-", "sweeps", ColumnKind::Sweeps, nullptr, false},
    {"outcome", "-", "outcome", ColumnKind::Outcome, nullptr, false},
    {"entrance_pressure_Pa", "Pa", "P1 (Pa)", ColumnKind::Figure, &CaseResult::entrancePressure,
     false},
    {"uniformity", "-", "uniformity", ColumnKind::Figure, &CaseResult::uniformity, false},
    {"DelQRms", "cm3/s", "DelQRms (cm3/s)", ColumnKind::Figure, &CaseResult::delQRms, false},
    {"Q_DIFF_min", "%", "Q_DIFF min (%)", ColumnKind::Figure, &CaseResult::qDiffMin, false},
    {"Q_DIFF_max", "%", "Q_DIFF max (%)", ColumnKind::Figure, &CaseResult::qDiffMax, false},
    {"entrance_pressure_spread_Pa", "Pa", "P1 spread (Pa)", ColumnKind::Spread,
     &CaseResult::entrancePressureSpread, true},
    {"uniformity_spread", "-", "uniformity spread", ColumnKind::Spread,
     &CaseResult::uniformitySpread, true},
    {"flow_ratio", "-", "DelQ min/max", ColumnKind::Figure, &CaseResult::flowRatio, false, true},
});

// Whether the rows of a study have the column.
constexpr bool InRows(const StudyColumn& column, StudyRows rows) {
  return (rows == StudyRows::Robust || !column.robustOnly) &&
         (rows == StudyRows::Die || !column.dieOnly);
}
// The same for a study of the window's case, robust or not.
constexpr bool InRows(const StudyColumn& column, bool robust) {
  return InRows(column, robust ? StudyRows::Robust : StudyRows::Window);
}

// Whether the row has the column's field: empty in the CSV, NaN in Python otherwise.
constexpr bool HasField(const StudyColumn& column, const CaseResult& result) {
  switch (column.kind) {
    case ColumnKind::Sweeps:
      return result.sweeps > 0;
    case ColumnKind::Figure:
      return result.converged || result.gapAnswer;
    case ColumnKind::Spread:
      return result.gapAnswer;
    default:
      return true;
  }
}

// The column of that name, for a front that shows a few of them.
constexpr const StudyColumn& StudyColumnNamed(std::string_view name) {
  for (const StudyColumn& column : kStudyColumns) {
    if (column.name == name) {
      return column;
    }
  }
  return kStudyColumns.front();
}

}  // namespace fluxeta::study
