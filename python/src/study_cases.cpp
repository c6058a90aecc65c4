#include "study_cases.h"

#include <string>

#include "fluxeta/study/study_error.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

// The input a key names.
class CaseInputKeys : public study::StudyVariables {
 public:
  const study::StudyVariable& Find(std::string_view name) override {
    return study::kInputVariables[InputOfName(name, UnknownName::AsKey)];
  }
};

// The variable a key of the script names.
const study::StudyVariable& VariableOfKey(study::StudyVariables& variables, py::handle key) {
  if (!py::isinstance<py::str>(key)) {
    throw py::type_error("an input is named by a str, not by " + std::string(py::repr(key)));
  }
  try {
    return variables.Find(key.cast<std::string_view>());
  } catch (const study::StudyError& error) {
    throw py::value_error(error.message());
  }
}

// The points of one dimension as the script gave them: `width` cells a point.
struct ScriptDimension {
  study::ValuesTable table;
  std::vector<std::vector<py::object>> objects;  // per column of the dimension
  std::vector<bool> anyText;

  explicit ScriptDimension(const std::vector<const study::StudyVariable*>& inputs)
      : objects(inputs.size()), anyText(inputs.size(), false) {
    table.inputs = inputs;
  }

  void Add(std::size_t column, const py::object& value) {
    const InputCell cell = ReadCell(table.inputs[column]->name, value);
    anyText[column] = anyText[column] || cell.text.has_value();
    table.cells.push_back(InputValueOf(cell));
    objects[column].push_back(value);
  }
};

void AddDimension(ScriptCases& study, ScriptDimension dimension) {
  try {
    study.grid.AddValues(std::move(dimension.table));
  } catch (const study::StudyError& error) {
    throw py::value_error(error.message());
  }
  for (std::size_t column = 0; column < dimension.objects.size(); ++column) {
    study.objects.push_back(std::move(dimension.objects[column]));
    study.anyText.push_back(dimension.anyText[column]);
  }
}

}  // namespace

ScriptCases ReadScriptCases(py::handle gridOrCases) {
  CaseInputKeys inputs;
  return ReadScriptCases(gridOrCases, inputs);
}

ScriptCases ReadScriptCases(py::handle gridOrCases, study::StudyVariables& variables) {
  ScriptCases study;
  if (py::isinstance<py::dict>(gridOrCases)) {
    for (const auto [name, values] : py::reinterpret_borrow<py::dict>(gridOrCases)) {
      const study::StudyVariable& input = VariableOfKey(variables, name);
      if (py::isinstance<py::str>(values) || !py::isinstance<py::sequence>(values)) {
        throw py::type_error("the values of input '" + std::string(input.name) +
                             "' must be a sequence of numbers or texts");
      }
      ScriptDimension dimension({&input});
      for (const py::object value : py::reinterpret_borrow<py::sequence>(values)) {
        dimension.Add(0, value);
      }
      dimension.table.points = dimension.table.cells.size();
      AddDimension(study, std::move(dimension));
    }
    return study;
  }

  if (py::isinstance<py::str>(gridOrCases) || !py::isinstance<py::sequence>(gridOrCases)) {
    throw py::type_error("a study takes a dict {name: values} or a list of dicts {name: value}");
  }
  std::vector<const study::StudyVariable*> inputs;
  std::optional<ScriptDimension> rows;
  std::size_t rowCount = 0;
  for (const py::object row : py::reinterpret_borrow<py::sequence>(gridOrCases)) {
    if (!py::isinstance<py::dict>(row)) {
      throw py::type_error("every case of a study is a dict {name: value}");
    }
    const auto caseInputs = py::reinterpret_borrow<py::dict>(row);
    if (!rows) {
      for (const auto [name, value] : caseInputs) {
        inputs.push_back(&VariableOfKey(variables, name));
      }
      rows.emplace(inputs);
    }
    if (caseInputs.size() != inputs.size()) {
      throw py::value_error("case " + std::to_string(rowCount) +
                            " names other inputs than case 0; every case names the same ones");
    }
    for (std::size_t column = 0; column < inputs.size(); ++column) {
      const std::string inputName(inputs[column]->name);
      const py::str name(inputName);
      if (!caseInputs.contains(name)) {
        throw py::value_error("case " + std::to_string(rowCount) + " does not name input '" +
                              inputName + "', which case 0 names");
      }
      rows->Add(column, caseInputs[name]);
    }
    ++rowCount;
    rows->table.points = rowCount;
  }
  AddDimension(study, rows ? std::move(*rows) : ScriptDimension({}));
  return study;
}

}  // namespace fluxeta::python
