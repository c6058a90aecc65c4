#include "design_case.h"

#include <cstdint>
#include <limits>
#include <string>

#include "case_inputs.h"
#include "fluxeta/case/input_table.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

using Kind = design::TableCell::Kind;

template <typename T, typename Row, typename Value>
py::array NumberColumn(const design::TableColumn<Row>& column, const std::vector<Row>& rows,
                       Value value) {
  py::array_t<T> array(static_cast<py::ssize_t>(rows.size()));
  T* out = array.mutable_data();
  for (std::size_t row = 0; row < rows.size(); ++row) {
    out[row] = value(column.cell(rows[row], row));
  }
  return array;
}

template <typename Row>
py::array TextColumn(const design::TableColumn<Row>& column, const std::vector<Row>& rows) {
  py::array array(py::dtype("O"), {static_cast<py::ssize_t>(rows.size())}, {});
  auto* out = static_cast<PyObject**>(array.mutable_data());
  for (std::size_t row = 0; row < rows.size(); ++row) {
    Py_XDECREF(out[row]);
    out[row] = py::str(column.cell(rows[row], row).text).release().ptr();
  }
  return array;
}

}  // namespace

cases::CaseValues DesignBase(const py::kwargs& base) {
  const GivenInputs given = ReadGivenInputs(base, UnknownName::AsKeyword);
  cases::CaseParameters parameters;
  cases::StoreInputs(parameters, [&given](std::size_t input) { return StoredInput(given, input); });
  return cases::InputValues(parameters);
}

design::SettingNames PythonSettingNames() {
  return design::KeywordSettingNames("pass all_inputs=True");
}

py::object PythonOfJson(const nlohmann::ordered_json& value) {
  switch (value.type()) {
    case nlohmann::ordered_json::value_t::object: {
      py::dict dict;
      for (const auto& [key, member] : value.items()) {
        dict[py::str(key)] = PythonOfJson(member);
      }
      return dict;
    }
    case nlohmann::ordered_json::value_t::array: {
      py::list list;
      for (const auto& item : value) {
        list.append(PythonOfJson(item));
      }
      return list;
    }
    case nlohmann::ordered_json::value_t::string:
      return py::str(value.get<std::string>());
    case nlohmann::ordered_json::value_t::boolean:
      return py::bool_(value.get<bool>());
    case nlohmann::ordered_json::value_t::number_integer:
      return py::int_(value.get<std::int64_t>());
    case nlohmann::ordered_json::value_t::number_unsigned:
      return py::int_(value.get<std::uint64_t>());
    case nlohmann::ordered_json::value_t::number_float:
      return py::float_(value.get<double>());
    default:
      return py::none();
  }
}

template <typename Row>
py::dict TableColumns(const std::vector<design::TableColumn<Row>>& columns,
                      const std::vector<Row>& rows) {
  py::dict table;
  for (const design::TableColumn<Row>& column : columns) {
    py::array array;
    switch (column.kind) {
      case Kind::Integer:
        array = NumberColumn<std::int64_t>(
            column, rows, [](const design::TableCell& cell) { return cell.integer; });
        break;
      case Kind::Number:
        array = NumberColumn<double>(column, rows,
                                     [](const design::TableCell& cell) { return cell.number; });
        break;
      case Kind::Figure:
        array = NumberColumn<double>(column, rows, [](const design::TableCell& cell) {
          return cell.present ? cell.number : std::numeric_limits<double>::quiet_NaN();
        });
        break;
      case Kind::Boolean:
        array = NumberColumn<bool>(column, rows,
                                   [](const design::TableCell& cell) { return cell.boolean; });
        break;
      case Kind::Text:
        array = TextColumn(column, rows);
        break;
    }
    table[py::str(column.name)] = array;
  }
  return table;
}

template py::dict TableColumns(const std::vector<design::TableColumn<design::DesignEvaluation>>&,
                               const std::vector<design::DesignEvaluation>&);
template py::dict TableColumns(const std::vector<design::TableColumn<design::Sensitivity>>&,
                               const std::vector<design::Sensitivity>&);

}  // namespace fluxeta::python
