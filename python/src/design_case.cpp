#include "design_case.h"

#include <cmath>
#include <string>

#include "case_inputs.h"
#include "fluxeta/case/input_table.h"

namespace py = pybind11;

namespace fluxeta::python {

cases::CaseValues DesignBase(const py::kwargs& base) {
  const GivenInputs given = ReadGivenInputs(base, UnknownName::AsKeyword);
  cases::CaseParameters parameters;
  cases::StoreInputs(parameters, [&given](std::size_t input) { return StoredInput(given, input); });
  return cases::InputValues(parameters);
}

py::dict InputsDict(const cases::CaseValues& values) {
  py::dict inputs;
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    inputs[py::str(std::string(cases::kInputs[input].name))] = values[input];
  }
  return inputs;
}

py::object FigureOrNone(bool solved, double value) {
  return solved && std::isfinite(value) ? py::object(py::float_(value)) : py::object(py::none());
}

py::array TextColumn(const std::vector<std::string_view>& texts) {
  py::array column(py::dtype("O"), {static_cast<py::ssize_t>(texts.size())}, {});
  auto* out = static_cast<PyObject**>(column.mutable_data());
  for (std::size_t row = 0; row < texts.size(); ++row) {
    Py_XDECREF(out[row]);
    out[row] = py::str(std::string(texts[row])).release().ptr();
  }
  return column;
}

}  // namespace fluxeta::python
