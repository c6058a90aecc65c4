// The cases of a study in grid order.
//
// A study is a product of dimensions: the rows of a cases file, if any, then each
// --sweep in the order given. The first dimension is the outermost loop and the last
// the innermost, so with --sweep gamma=0:1:2 --sweep Lend=2:3:3 the cases run
// (gamma 0, Lend 2), (0, 2.5), (0, 3), (1, 2), (1, 2.5), (1, 3).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "study/study_cases_file.h"
#include "study/study_inputs.h"
#include "study/study_sweep.h"

namespace fluxeta::study {

class StudyGrid {
 public:
  // Each adds a dimension inside the ones added before. Raises StudyError when an input
  // is already varied by an earlier dimension, or when the grid grows beyond kMaxCases.
  void AddCases(const CasesTable& table);
  void AddSweep(const Sweep& sweep);

  // The varied inputs, one output column each, in dimension order.
  const std::vector<const StudyInput*>& Columns() const { return columns_; }

  std::uint64_t CaseCount() const { return caseCount_; }

  // The texts of case `index`'s varied inputs in column order, numbers written with a
  // point: a sweep value in its shortest round-trip form, a cases file cell as written.
  void CaseTexts(std::uint64_t index, std::vector<const std::string*>& texts) const;

  // The values of case `index`'s varied inputs in column order: a sweep's value itself, or
  // nullptr for a cases file cell, which is read from its text.
  void CaseValues(std::uint64_t index, std::vector<const double*>& values) const;

  static constexpr std::uint64_t kMaxCases = std::uint64_t{1} << 40;

 private:
  struct Dimension {
    std::size_t firstColumn = 0;
    std::size_t width = 0;  // inputs set by one point
    std::size_t points = 0;
    std::vector<std::string> texts;  // point by point, `width` texts a point
    std::vector<double> values;      // a sweep's values; empty for cases file rows
  };

  void AddDimension(const std::vector<const StudyInput*>& inputs, std::vector<std::string> texts,
                    std::vector<double> values, std::size_t points);

  std::vector<Dimension> dimensions_;
  std::vector<const StudyInput*> columns_;
  std::uint64_t caseCount_ = 1;
};

}  // namespace fluxeta::study
