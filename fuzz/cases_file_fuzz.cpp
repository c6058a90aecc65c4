// Cases files: any bytes parsed in memory and streamed from a file must give the same
// table, or the same refusal.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fluxeta/study/study_cases_file.h"
#include "fluxeta/study/study_error.h"
#include "memory_file.h"

namespace {

using fluxeta::study::CasesFile;
using fluxeta::study::CasesTable;
using fluxeta::study::StudyError;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  const bool allInputs = size % 2 == 1;
  const fluxeta::fuzz::MemoryFile file(content);

  CasesTable table;
  bool parsed = true;
  try {
    table = fluxeta::study::ParseCasesTable(content, "cases.csv", allInputs);
  } catch (const StudyError&) {
    parsed = false;
  }
  try {
    CasesFile streamed(file.Path(), allInputs);
    if (!parsed || streamed.Inputs() != table.inputs || streamed.RowCount() != table.RowCount()) {
      std::abort();
    }
    std::vector<std::string> cells;
    std::vector<std::string> rows;
    while (streamed.NextRow(cells)) {
      rows.insert(rows.end(), cells.begin(), cells.end());
    }
    if (rows != table.cells) {
      std::abort();
    }
  } catch (const StudyError&) {
    if (parsed) {
      std::abort();
    }
  }
  return 0;
}
