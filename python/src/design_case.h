// What the design functions share: the design they start from, given as solve() takes its
// inputs, and the figures and columns they return.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include "fluxeta/case/case_parameters.h"

namespace fluxeta::python {

// The fifteen values of the design that the keyword arguments `base` give by short name,
// the others those of the default case. Stored as a case stores them: a text that is not
// a number raises NotANumber, a fault of a value or a derived value its FloatingPointFault.
cases::CaseValues DesignBase(const pybind11::kwargs& base);

// {short name: value} of all fifteen inputs.
pybind11::dict InputsDict(const cases::CaseValues& values);

// A figure of a solved design, or None.
pybind11::object FigureOrNone(bool solved, double value);

// A column of `count` rows of T, row k being figure(k).
template <typename T, typename Figure>
pybind11::array_t<T> NumberColumn(std::size_t count, Figure figure) {
  pybind11::array_t<T> column(static_cast<pybind11::ssize_t>(count));
  T* out = column.mutable_data();
  for (std::size_t row = 0; row < count; ++row) {
    out[row] = figure(row);
  }
  return column;
}

// An object column of Python str.
pybind11::array TextColumn(const std::vector<std::string_view>& texts);

}  // namespace fluxeta::python
