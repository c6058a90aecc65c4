// The case inputs as a script gives them: by short name (Ain, gamma, … Qin), each a number
// or a text written with a point.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include <pybind11/pybind11.h>

#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/input_table.h"

namespace fluxeta::python {

// One input value: a number, or a text that is read as the window reads its boxes, so
// that a text that is not a number fails as it does there.
struct InputCell {
  double value = 0;
  std::optional<std::string> text;
};

// The inputs a script named; the others take the default case.
using GivenInputs = std::array<std::optional<InputCell>, cases::kInputCount>;

// How a name that is not an input is refused: as an unexpected keyword argument
// (TypeError) or as a bad key of the data (ValueError).
enum class UnknownName { AsKeyword, AsKey };

// The input of that short name; raises naming it, and the input it may mean.
std::size_t InputOfName(std::string_view name, UnknownName refusal);

// The input named by a key of a dict; raises TypeError for a key that is not a str.
std::size_t InputOfKey(pybind11::handle key, UnknownName refusal);

// True for a bool of Python or of NumPy, which are no numbers of a die.
bool IsBoolean(pybind11::handle value);

// Reads one value: a str is a text (one that UTF-8 cannot hold keeps its odd characters
// as escapes, and is no number), any other object is taken by float(): a whole number
// beyond the double range is such a number, refused as overflow when stored. bool is
// refused; raises TypeError naming the input.
InputCell ReadInputCell(std::size_t input, pybind11::handle value);
// The same for a value of the variable `name` (a die document's path).
InputCell ReadCell(std::string_view name, pybind11::handle value);

// The inputs of keyword arguments or of a dict, by name.
GivenInputs ReadGivenInputs(pybind11::handle nameToValue, UnknownName refusal);

// The value the case record stores (checked as reading a box or MakeCase checks it):
// raises ConversionError or FloatingPointError. Needs no Python.
double StoredValue(const InputCell& cell);

// The cell as a case input: a text read with a point, kept beside its number.
cases::InputValue InputValueOf(const InputCell& cell);

// The inputs of a case: the given ones, the default case's for the rest.
cases::CaseInputs CaseInputsOf(const GivenInputs& given);

// The stored value of input `input`: the given one, else the default case's.
double StoredInput(const GivenInputs& given, std::size_t input);

// fluxeta.inputs(): the input table as a list of dicts.
pybind11::list InputTable();

}  // namespace fluxeta::python
