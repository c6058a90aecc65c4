// The cases of a study as a script gives them: a grid {name: values}, the first name the
// outermost loop, or a list of cases [{name: value}, …]. The cells are read into the
// study's grid, so that the cases can be solved with the GIL released; the Python objects
// that gave them are kept for the output's input columns.
#pragma once

#include <cstddef>
#include <vector>

#include <pybind11/pybind11.h>

#include "case_inputs.h"
#include "fluxeta/study/study_grid.h"
#include "fluxeta/study/study_inputs.h"

namespace fluxeta::python {

struct ScriptCases {
  study::StudyGrid grid;
  // For each column of the grid, the objects that gave its dimension's points, point by
  // point, and whether any of them is a text.
  std::vector<std::vector<pybind11::object>> objects;
  std::vector<bool> anyText;
};

// Reads a dict (a grid) or a sequence of dicts (cases, each naming the same inputs).
// Raises TypeError for another object or a value that is not a number or a text,
// ValueError for an unknown input, cases that name different inputs or too many cases.
ScriptCases ReadScriptCases(pybind11::handle gridOrCases);

// The same for the variables of another kind of case, each name found in `variables`
// (ValueError naming it when there is none).
ScriptCases ReadScriptCases(pybind11::handle gridOrCases, study::StudyVariables& variables);

}  // namespace fluxeta::python
