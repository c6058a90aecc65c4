// The CSV table a study writes: one header line, then one line per case in grid order.
//
//   gamma,Lend,converged,status,sweeps,outcome,entrance_pressure_Pa,uniformity,DelQRms,Q_DIFF_min,Q_DIFF_max
//
// Numbers are written with a point in their shortest round-trip form; a field holding
// a comma, a quote or a line end is quoted; lines end with LF. `status` is the outcome's
// code (outcome.h) and `outcome` its message. A case that did not
// converge has its sweeps and outcome and leaves the figures empty; a case that failed
// on a number or a floating-point fault also leaves the sweeps empty.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "fluxeta/study/study_case_result.h"
#include "fluxeta/study/study_columns.h"
#include "fluxeta/study/study_grid.h"

namespace fluxeta::study {

// Appends a field, quoted when it holds a comma, a double quote, a CR or an LF.
void AppendCsvField(std::string& line, std::string_view field);

// A robust study ends each row with the spread of a regime gap's answers, a die study with
// the ratio of the smallest to the largest slot flow.
void AppendStudyHeader(std::string& text, const StudyGrid& grid, StudyRows rows);
void AppendStudyHeader(std::string& text, const StudyGrid& grid, bool robust = false);

// `inputTexts` are the case's varied inputs in column order (StudyGrid::CaseTexts).
void AppendStudyRow(std::string& text, const std::vector<std::string>& inputTexts,
                    const CaseResult& result, StudyRows rows);
void AppendStudyRow(std::string& text, const std::vector<std::string>& inputTexts,
                    const CaseResult& result, bool robust = false);

}  // namespace fluxeta::study
