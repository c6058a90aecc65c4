#include "study_cases.h"

#include <algorithm>
#include <string>

namespace py = pybind11;

namespace fluxeta::python {

namespace {

std::string NameOfInput(std::size_t input) {
  return std::string(cases::kInputs[input].name);
}

}  // namespace

StudyCases StudyCases::Read(py::handle gridOrCases) {
  StudyCases study;
  if (py::isinstance<py::dict>(gridOrCases)) {
    for (const auto [name, values] : py::reinterpret_borrow<py::dict>(gridOrCases)) {
      const std::size_t input = InputOfKey(name, UnknownName::AsKey);
      if (py::isinstance<py::str>(values) || !py::isinstance<py::sequence>(values)) {
        throw py::type_error("the values of input '" + NameOfInput(input) +
                             "' must be a sequence of numbers or texts");
      }
      Dimension dimension;
      dimension.width = 1;
      for (const py::object value : py::reinterpret_borrow<py::sequence>(values)) {
        dimension.cells.push_back(ReadInputCell(input, value));
        dimension.objects.push_back(value);
      }
      dimension.points = dimension.cells.size();
      study.AddDimension(std::move(dimension), {input});
    }
    return study;
  }

  if (py::isinstance<py::str>(gridOrCases) || !py::isinstance<py::sequence>(gridOrCases)) {
    throw py::type_error("a study takes a dict {name: values} or a list of dicts {name: value}");
  }
  Dimension rows;
  std::vector<std::size_t> inputs;
  for (const py::object row : py::reinterpret_borrow<py::sequence>(gridOrCases)) {
    if (!py::isinstance<py::dict>(row)) {
      throw py::type_error("every case of a study is a dict {name: value}");
    }
    const auto caseInputs = py::reinterpret_borrow<py::dict>(row);
    if (rows.points == 0) {
      for (const auto [name, value] : caseInputs) {
        inputs.push_back(InputOfKey(name, UnknownName::AsKey));
      }
      rows.width = inputs.size();
    }
    if (caseInputs.size() != inputs.size()) {
      throw py::value_error("case " + std::to_string(rows.points) +
                            " names other inputs than case 0; every case names the same ones");
    }
    for (const std::size_t input : inputs) {
      const py::str name(NameOfInput(input));
      if (!caseInputs.contains(name)) {
        throw py::value_error("case " + std::to_string(rows.points) + " does not name input '" +
                              NameOfInput(input) + "', which case 0 names");
      }
      const py::object value = caseInputs[name];
      rows.cells.push_back(ReadInputCell(input, value));
      rows.objects.push_back(value);
    }
    ++rows.points;
  }
  study.AddDimension(std::move(rows), inputs);
  return study;
}

void StudyCases::AddDimension(Dimension dimension, const std::vector<std::size_t>& inputs) {
  if (dimension.points != 0 && caseCount_ > kMaxCases / dimension.points) {
    throw py::value_error("the study has more than " + std::to_string(kMaxCases) + " cases");
  }
  dimension.firstColumn = columns_.size();
  caseCount_ *= dimension.points;
  columns_.insert(columns_.end(), inputs.begin(), inputs.end());
  dimensionOfColumn_.insert(dimensionOfColumn_.end(), inputs.size(), dimensions_.size());
  dimensions_.push_back(std::move(dimension));
}

std::pair<const StudyCases::Dimension*, std::size_t> StudyCases::Locate(std::uint64_t index,
                                                                        std::size_t column) const {
  // The last dimension is the innermost loop.
  const std::size_t wanted = dimensionOfColumn_[column];
  for (std::size_t d = dimensions_.size(); d-- > wanted + 1;) {
    index /= dimensions_[d].points;
  }
  const Dimension& dimension = dimensions_[wanted];
  const std::size_t point = static_cast<std::size_t>(index % dimension.points);
  return {&dimension, point * dimension.width + (column - dimension.firstColumn)};
}

const InputCell& StudyCases::Cell(std::uint64_t index, std::size_t column) const {
  const auto [dimension, cell] = Locate(index, column);
  return dimension->cells[cell];
}

py::handle StudyCases::CellObject(std::uint64_t index, std::size_t column) const {
  const auto [dimension, cell] = Locate(index, column);
  return dimension->objects[cell];
}

}  // namespace fluxeta::python
