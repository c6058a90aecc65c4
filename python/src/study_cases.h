// The cases of a study as a script gives them: a grid {name: values}, the first name the
// outermost loop, or a list of cases [{name: value}, …]. The cells are read into C++, so
// that the cases can be solved with the GIL released; the Python objects that gave them
// are kept for the output's input columns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <pybind11/pybind11.h>

#include "case_inputs.h"

namespace fluxeta::python {

class StudyCases {
 public:
  // Reads a dict (a grid) or a sequence of dicts (cases, each naming the same inputs).
  // Raises TypeError for another object or a value that is not a number or a text,
  // ValueError for an unknown input or cases that name different inputs.
  static StudyCases Read(pybind11::handle gridOrCases);

  // The varied inputs, one output column each.
  const std::vector<std::size_t>& Columns() const { return columns_; }
  std::uint64_t CaseCount() const { return caseCount_; }

  // The cell of case `index` in column `column`.
  const InputCell& Cell(std::uint64_t index, std::size_t column) const;

  // The Python object that gave that cell.
  pybind11::handle CellObject(std::uint64_t index, std::size_t column) const;

  static constexpr std::uint64_t kMaxCases = std::uint64_t{1} << 40;

 private:
  struct Dimension {
    std::size_t firstColumn = 0;
    std::size_t width = 0;  // columns set by one point
    std::size_t points = 0;
    std::vector<InputCell> cells;  // point by point, `width` cells a point
    std::vector<pybind11::object> objects;
  };

  void AddDimension(Dimension dimension, const std::vector<std::size_t>& inputs);
  // The dimension and point of column `column` in case `index`.
  std::pair<const Dimension*, std::size_t> Locate(std::uint64_t index, std::size_t column) const;

  std::vector<Dimension> dimensions_;
  std::vector<std::size_t> columns_;
  std::vector<std::size_t> dimensionOfColumn_;
  std::uint64_t caseCount_ = 1;
};

}  // namespace fluxeta::python
