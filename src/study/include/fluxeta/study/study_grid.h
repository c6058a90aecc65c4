// The cases of a study in grid order.
//
// A study is a product of dimensions: the rows of a cases file, if any, then each
// --sweep in the order given; a script gives its dimensions as values. The first dimension is the
// outermost loop and the last the innermost, so with --sweep gamma=0:1:2 --sweep Lend=2:3:3 the
// cases run (gamma 0, Lend 2), (0, 2.5), (0, 3), (1, 2), (1, 2.5), (1, 3).
//
// The grid is counted, never stored: a sweep's values are worked out when asked for, and
// a cases file is read a few rows at a time as the study goes.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fluxeta/case/input_value.h"
#include "fluxeta/study/study_cases_file.h"
#include "fluxeta/study/study_inputs.h"
#include "fluxeta/study/study_sweep.h"

namespace fluxeta::study {

// Points given as values, `inputs.size()` a point, point by point: a script's list of
// cases, or the values of one input.
struct ValuesTable {
  std::vector<const StudyVariable*> inputs;
  std::vector<cases::InputValue> cells;
  std::uint64_t points = 0;  // cases that name no input are points too
};

class StudyGrid {
 public:
  // Each adds a dimension inside the ones added before. Raises StudyError when an input
  // is already varied by an earlier dimension, or when the grid grows beyond kMaxCases.
  void AddCases(const CasesTable& table);
  // A cases file can only be the first dimension, which its rows are read in order for.
  void AddCases(std::shared_ptr<CasesFile> file);
  void AddSweep(const Sweep& sweep);
  void AddValues(ValuesTable table);

  // The varied inputs, one output column each, in dimension order.
  const std::vector<const StudyVariable*>& Columns() const { return columns_; }

  std::uint64_t CaseCount() const { return caseCount_; }

  // Makes cases [first, first + count) ready for CaseTexts and CaseValues: reads the rows
  // of a cases file that they take, letting go of the rows before them. Not to be called
  // while other threads read the grid. Raises StudyError when the file fails to read.
  void LoadCases(std::uint64_t first, std::uint64_t count);

  // The texts of case `index`'s varied inputs in column order, numbers written with a
  // point: a sweep value in its shortest round-trip form, a cases file cell as written.
  void CaseTexts(std::uint64_t index, std::vector<std::string>& texts) const;

  // The values of case `index`'s varied inputs in column order: a sweep's value itself (solved
  // exactly as printed), a cases file cell read from its text with a point, the text kept.
  void CaseValues(std::uint64_t index, std::vector<cases::InputValue>& values) const;

  // The point of the dimension of column `column` that case `index` takes: the row of a
  // cases file or table, the value of a sweep or of given values.
  std::uint64_t PointOf(std::uint64_t index, std::size_t column) const;

  static constexpr std::uint64_t kMaxCases = std::uint64_t{1} << 40;

 private:
  struct Dimension {
    std::size_t firstColumn = 0;
    std::size_t width = 0;  // inputs set by one point
    std::uint64_t points = 0;
    std::optional<Sweep> sweep;      // the values of a sweep, or else cases rows:
    std::vector<std::string> cells;  // `width` cells a row, rows from `firstLoadedRow` on
    std::uint64_t firstLoadedRow = 0;
    std::shared_ptr<CasesFile> file;        // where the rows come from, or all held in `cells`
    std::vector<cases::InputValue> values;  // given values instead of cells
  };

  void AddDimension(const std::vector<const StudyVariable*>& inputs, Dimension dimension);
  // The point of each dimension for case `index`, innermost first, to `visit`.
  template <typename Visit>
  void ForEachPoint(std::uint64_t index, Visit visit) const;

  std::vector<Dimension> dimensions_;
  std::vector<const StudyVariable*> columns_;
  std::vector<std::size_t> dimensionOfColumn_;
  std::uint64_t caseCount_ = 1;
};

}  // namespace fluxeta::study
