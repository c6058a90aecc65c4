// A cases file: a CSV table whose header names inputs (or other variables) and whose every row is
// one case.
//
//   gamma,Lend
//   0.1,2.5
//   0.5,3
//
// Fields are separated by commas and may be quoted with double quotes ("" inside quotes
// is one quote); lines end with LF or CR LF; empty lines are skipped. Cells are kept as
// texts: a cell that is not a number fails its own case, not the study. A record (a line,
// or several when a quoted field holds line ends) has at most kMostCasesRecordBytes bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fluxeta/study/study_inputs.h"

namespace fluxeta::study {

inline constexpr std::size_t kMostCasesRecordBytes = std::size_t{1} << 20;

// A cases table held in memory, for a table given as text.
struct CasesTable {
  std::vector<const StudyVariable*> inputs;  // the header's columns
  std::vector<std::string> cells;            // row by row, inputs.size() cells a row

  std::size_t RowCount() const { return inputs.empty() ? 0 : cells.size() / inputs.size(); }
};

// Reads the table from the content of a file; `fileName` only names it in messages.
// Raises StudyError for an unknown or repeated input name, a row whose number of
// fields differs from the header's, an unclosed quote or an overlong record.
CasesTable ParseCasesTable(std::string_view content, std::string_view fileName,
                           StudyVariables& variables);
// The same for the case inputs.
CasesTable ParseCasesTable(std::string_view content, std::string_view fileName, bool allInputs);

// A cases file read row by row as a study goes, so that a file of any number of rows
// takes the memory of a few rows only.
class CasesFile {
 public:
  // Opens the file, reads its header and counts its rows, checking each as
  // ParseCasesTable does. Raises StudyError naming the file and the fault, also when the
  // file cannot be opened or read (a directory, a read error).
  CasesFile(const std::string& path, StudyVariables& variables);
  // The same for the case inputs.
  CasesFile(const std::string& path, bool allInputs);
  ~CasesFile();
  CasesFile(const CasesFile&) = delete;
  CasesFile& operator=(const CasesFile&) = delete;

  const std::vector<const StudyVariable*>& Inputs() const { return inputs_; }
  std::uint64_t RowCount() const { return rowCount_; }

  // The cells of the next row in file order into `cells`; false after the last row.
  // Raises StudyError when the file no longer reads as it did when it was counted.
  bool NextRow(std::vector<std::string>& cells);
  // Starts again at the first row.
  void Rewind();

 private:
  struct Reader;
  void Open(StudyVariables& variables);

  std::string path_;
  std::vector<const StudyVariable*> inputs_;
  std::uint64_t rowCount_ = 0;
  std::uint64_t rowsRead_ = 0;
  std::unique_ptr<Reader> reader_;
};

}  // namespace fluxeta::study
