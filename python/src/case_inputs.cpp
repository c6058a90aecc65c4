#include "case_inputs.h"

#include <cctype>
#include <limits>

#include "fluxeta/base/checked_real.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/default_case.h"
#include "fluxeta/case/number_text.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

const cases::CaseValues& DefaultValues() {
  static const cases::CaseValues values = cases::DefaultCaseValues();
  return values;
}

bool SameLettersIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t k = 0; k < a.size(); ++k) {
    if (std::tolower(static_cast<unsigned char>(a[k])) !=
        std::tolower(static_cast<unsigned char>(b[k]))) {
      return false;
    }
  }
  return true;
}

std::string InputNameList() {
  std::string names;
  for (const cases::InputSpec& input : cases::kInputs) {
    names += names.empty() ? "" : ", ";
    names += input.name;
  }
  return names;
}

}  // namespace

std::size_t InputOfName(std::string_view name, UnknownName refusal) {
  if (const auto input = cases::FindInput(name)) {
    return *input;
  }
  std::string message = "unknown input '" + std::string(name) + "'";
  for (const cases::InputSpec& input : cases::kInputs) {
    if (SameLettersIgnoringCase(name, input.name)) {
      message += " (did you mean '" + std::string(input.name) + "'?)";
    }
  }
  message += "; the inputs are " + InputNameList();
  if (refusal == UnknownName::AsKeyword) {
    throw py::type_error(message);
  }
  throw py::value_error(message);
}

std::size_t InputOfKey(py::handle key, UnknownName refusal) {
  if (!py::isinstance<py::str>(key)) {
    throw py::type_error("an input is named by a str, not by " + std::string(py::repr(key)));
  }
  return InputOfName(key.cast<std::string_view>(), refusal);
}

bool IsBoolean(py::handle value) {
  // NumPy's type lives as long as the interpreter, like the module that holds it.
  static PyObject* const numpyBoolean =
      py::object(py::module_::import("numpy").attr("bool_")).release().ptr();
  return py::isinstance<py::bool_>(value) || PyObject_IsInstance(value.ptr(), numpyBoolean) == 1;
}

InputCell ReadInputCell(std::size_t input, py::handle value) {
  return ReadCell(cases::kInputs[input].name, value);
}

InputCell ReadCell(std::string_view name, py::handle value) {
  InputCell cell;
  if (py::isinstance<py::str>(value)) {
    const py::bytes utf8 = py::reinterpret_steal<py::bytes>(
        PyUnicode_AsEncodedString(value.ptr(), "utf-8", "backslashreplace"));
    if (!utf8) {
      throw py::error_already_set();
    }
    cell.text = utf8.cast<std::string>();
    return cell;
  }
  if (!IsBoolean(value)) {
    const double number = PyFloat_AsDouble(value.ptr());
    if (!(number == -1.0 && PyErr_Occurred())) {
      cell.value = number;
      return cell;
    }
    if (PyErr_ExceptionMatches(PyExc_OverflowError) && PyLong_Check(value.ptr())) {
      PyErr_Clear();
      cell.value = py::int_(py::reinterpret_borrow<py::object>(value)) < py::int_(0)
                       ? -std::numeric_limits<double>::infinity()
                       : std::numeric_limits<double>::infinity();
      return cell;
    }
    PyErr_Clear();
  }
  throw py::type_error("input '" + std::string(name) + "' must be a number or a text, not " +
                       std::string(py::str(py::type::handle_of(value).attr("__name__"))));
}

GivenInputs ReadGivenInputs(py::handle nameToValue, UnknownName refusal) {
  GivenInputs given;
  for (const auto [name, value] : py::reinterpret_borrow<py::dict>(nameToValue)) {
    const std::size_t input = InputOfKey(name, refusal);
    given[input] = ReadInputCell(input, value);
  }
  return given;
}

double StoredValue(const InputCell& cell) {
  if (cell.text) {
    return base::StoreAsDouble(cases::ParseNumber(*cell.text, cases::kPointSeparator)).value();
  }
  return cases::StoredInputValue(cell.value);
}

cases::InputValue InputValueOf(const InputCell& cell) {
  return cell.text ? cases::InputValue::OfText(*cell.text, cases::kPointSeparator)
                   : cases::InputValue(cell.value);
}

cases::CaseInputs CaseInputsOf(const GivenInputs& given) {
  cases::CaseInputs inputs;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    inputs[input] = given[input] ? InputValueOf(*given[input]) : DefaultValues()[input];
  }
  return inputs;
}

double StoredInput(const GivenInputs& given, std::size_t input) {
  const std::optional<InputCell>& cell = given[input];
  return cell ? StoredValue(*cell) : DefaultValues()[input];
}

py::list InputTable() {
  py::list table;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    const cases::InputSpec& definition = cases::kInputs[input];
    py::dict row;
    row["name"] = std::string(definition.name);
    row["unit"] = std::string(definition.unit);
    row["label"] = std::string(definition.windowLabel);
    row["default"] = DefaultValues()[input];
    row["fixed_in_window"] = definition.fixedInWindow;
    row["plausible_range"] = py::make_tuple(definition.plausibleLow, definition.plausibleHigh);
    table.append(std::move(row));
  }
  return table;
}

}  // namespace fluxeta::python
