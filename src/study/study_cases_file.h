// A cases file: a CSV table whose header names inputs and whose every row is one case.
//
//   gamma,Lend
//   0.1,2.5
//   0.5,3
//
// Fields are separated by commas and may be quoted with double quotes ("" inside quotes
// is one quote); lines end with LF or CR LF; empty lines are skipped. Cells are kept as
// texts: a cell that is not a number fails its own case, not the study.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "study/study_inputs.h"

namespace fluxeta::study {

struct CasesTable {
  std::vector<const StudyInput*> inputs;  // the header's columns
  std::vector<std::string> cells;         // row by row, inputs.size() cells a row

  std::size_t RowCount() const { return inputs.empty() ? 0 : cells.size() / inputs.size(); }
};

// Reads the table from the content of a file; `fileName` only names it in messages.
// Raises StudyError for an unknown or repeated input name, a row whose number of
// fields differs from the header's, or an unclosed quote.
CasesTable ParseCasesTable(std::string_view content, std::string_view fileName, bool allInputs);

// Reads the file, then parses it as above; raises StudyError when it cannot be read.
CasesTable ReadCasesFile(const std::string& path, bool allInputs);

}  // namespace fluxeta::study
