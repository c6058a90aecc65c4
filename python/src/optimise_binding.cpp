#include "optimise_binding.h"

#include <chrono>
#include <climits>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "case_inputs.h"
#include "design_case.h"
#include "fluxeta/base/outcome.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/design/optimiser.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

constexpr double kNotAFigure = std::numeric_limits<double>::quiet_NaN();

std::string NameOf(std::size_t input) {
  return std::string(cases::kInputs[input].name);
}

design::Objective ParseObjective(const std::string& name) {
  if (name == "uniformity") {
    return design::Objective::Uniformity;
  }
  if (name == "pressure") {
    return design::Objective::Pressure;
  }
  throw py::value_error("unknown objective '" + name +
                        "'; the objectives are 'uniformity', 'pressure'");
}

// The variable of the input named `name`, between its plausible range.
design::DesignVariable VariableOfName(py::handle name, bool allInputs) {
  const std::size_t input = InputOfKey(name, UnknownName::AsKey);
  if (cases::kInputs[input].fixedInWindow && !allInputs) {
    throw py::value_error("input '" + NameOf(input) +
                          "' is fixed by design; pass all_inputs=True to vary it");
  }
  return *design::VariableWithDefaultBounds(cases::kInputs[input].name);
}

double Bound(py::handle value, std::size_t input) {
  if (!py::isinstance<py::bool_>(value)) {
    const double number = PyFloat_AsDouble(value.ptr());
    if (!(number == -1.0 && PyErr_Occurred()) && std::isfinite(number)) {
      return number;
    }
    PyErr_Clear();
  }
  throw py::value_error("the bounds of '" + NameOf(input) + "' must be finite numbers, not " +
                        std::string(py::repr(value)));
}

// Takes (lo, hi) as the bounds of `variable`; None keeps its plausible range.
void ReadBounds(py::handle bounds, design::DesignVariable& variable) {
  if (bounds.is_none()) {
    return;
  }
  if (!py::isinstance<py::sequence>(bounds) || py::isinstance<py::str>(bounds) ||
      py::len(bounds) != 2) {
    throw py::value_error("the bounds of '" + NameOf(variable.input) +
                          "' must be a pair (lo, hi) or None, not " +
                          std::string(py::repr(bounds)));
  }
  const auto pair = py::reinterpret_borrow<py::sequence>(bounds);
  variable.low = Bound(pair[0], variable.input);
  variable.high = Bound(pair[1], variable.input);
  if (!(variable.low < variable.high)) {
    throw py::value_error("the bounds of '" + NameOf(variable.input) + "': lo must be below hi");
  }
}

std::vector<design::DesignVariable> ReadVariables(py::handle variables, bool allInputs) {
  std::vector<design::DesignVariable> read;
  const auto add = [&read](const design::DesignVariable& variable) {
    for (const design::DesignVariable& earlier : read) {
      if (earlier.input == variable.input) {
        throw py::value_error("input '" + NameOf(variable.input) + "' is given twice");
      }
    }
    read.push_back(variable);
  };
  if (py::isinstance<py::dict>(variables)) {
    for (const auto [name, bounds] : py::reinterpret_borrow<py::dict>(variables)) {
      design::DesignVariable variable = VariableOfName(name, allInputs);
      ReadBounds(bounds, variable);
      add(variable);
    }
  } else if (py::isinstance<py::str>(variables) || !py::isinstance<py::iterable>(variables)) {
    throw py::value_error(
        "variables must be a list of input names or a dict {name: (lo, hi)}, not " +
        std::string(py::repr(variables)));
  } else {
    for (const py::handle name : variables) {
      add(VariableOfName(name, allInputs));
    }
  }
  if (read.empty()) {
    throw py::value_error("no design variable: name at least one input to vary");
  }
  return read;
}

// A limit as given: None, or a finite number (above zero where `positive`).
std::optional<double> Limit(std::optional<double> value, const char* name, bool positive) {
  if (value && (!std::isfinite(*value) || (positive && !(*value > 0)))) {
    throw py::value_error(std::string(name) + " must be a " + (positive ? "positive " : "") +
                          "finite number or None, not " + std::to_string(*value));
  }
  return value;
}

int EvaluationBudget(std::optional<long long> maxEvaluations) {
  if (!maxEvaluations) {
    return 0;
  }
  if (*maxEvaluations < 1 || *maxEvaluations > INT_MAX) {
    throw py::value_error("max_evaluations must be from 1 to " + std::to_string(INT_MAX) +
                          ", or None for a budget by the number of variables");
  }
  return static_cast<int>(*maxEvaluations);
}

// Every candidate, the columns of fluxeta-batch's --history file.
py::dict HistoryColumns(const design::OptimiseSettings& settings,
                        const std::vector<design::DesignEvaluation>& history) {
  const std::size_t count = history.size();
  const auto figure = [&history](double design::DesignFigures::*value) {
    return NumberColumn<double>(history.size(), [&history, value](std::size_t k) {
      return history[k].figures.Solved() ? history[k].figures.*value : kNotAFigure;
    });
  };
  py::dict columns;
  columns["evaluation"] = NumberColumn<std::int64_t>(
      count, [](std::size_t k) { return static_cast<std::int64_t>(k + 1); });
  for (const design::DesignVariable& variable : settings.variables) {
    columns[py::str(NameOf(variable.input))] = NumberColumn<double>(
        count, [&history, &variable](std::size_t k) { return history[k].values[variable.input]; });
  }
  std::vector<std::string_view> statuses;
  statuses.reserve(count);
  for (const design::DesignEvaluation& evaluation : history) {
    statuses.push_back(base::OutcomeCode(evaluation.figures.status));
  }
  columns["status"] = TextColumn(statuses);
  columns["feasible"] =
      NumberColumn<bool>(count, [&history](std::size_t k) { return history[k].feasible; });
  columns["uniformity"] = figure(&design::DesignFigures::uniformity);
  columns["entrance_pressure_Pa"] = figure(&design::DesignFigures::entrancePressure);
  columns["longest_residence_time_s"] = figure(&design::DesignFigures::longestResidenceTime);
  return columns;
}

// How often the search takes the GIL back to hear of signals: seldom enough that other
// Python threads are not held up candidate by candidate, often enough for Ctrl-C.
constexpr std::chrono::milliseconds kSignalCheckInterval{100};

// Runs the search with the GIL released; a signal such as Ctrl-C, heard between two
// candidates, cancels it and is raised.
design::OptimiseResult SearchReleased(const design::OptimiseSettings& settings) {
  std::optional<py::error_already_set> signal;
  auto lastCheck = std::chrono::steady_clock::now();
  const auto evaluated = [&signal, &lastCheck](const design::DesignEvaluation&) {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastCheck < kSignalCheckInterval) {
      return true;
    }
    lastCheck = now;
    py::gil_scoped_acquire acquire;
    if (PyErr_CheckSignals() != 0) {
      signal.emplace();
      return false;
    }
    return true;
  };
  design::OptimiseResult result;
  {
    py::gil_scoped_release release;
    result = design::Optimise(settings, evaluated);
  }
  if (signal) {
    throw std::move(*signal);
  }
  return result;
}

py::dict Optimise(const py::object& variables, const std::string& objective,
                  std::optional<double> maxPressure, std::optional<double> minUniformity,
                  std::optional<double> maxResidenceTime, std::optional<long long> maxEvaluations,
                  bool history, bool allInputs, const py::kwargs& base) {
  design::OptimiseSettings settings;
  settings.variables = ReadVariables(variables, allInputs);
  settings.objective = ParseObjective(objective);
  settings.limits.maxEntrancePressure = Limit(maxPressure, "max_pressure", true);
  settings.limits.minUniformity = Limit(minUniformity, "min_uniformity", false);
  settings.limits.maxResidenceTime = Limit(maxResidenceTime, "max_residence_time", true);
  if (settings.objective == design::Objective::Pressure && !settings.limits.minUniformity) {
    throw py::value_error("objective 'pressure' needs min_uniformity, the uniformity to reach");
  }
  settings.maxEvaluations = EvaluationBudget(maxEvaluations);
  settings.search = design::Search::Robust;
  for (const design::DesignVariable& variable : settings.variables) {
    if (base.contains(cases::kInputs[variable.input].name)) {
      throw py::value_error("input '" + NameOf(variable.input) +
                            "' is both a design variable and given as a base value");
    }
  }
  settings.base = DesignBase(base);

  const design::OptimiseResult result = SearchReleased(settings);
  const design::DesignFigures& best = result.best.figures;
  py::dict report;
  report["status"] = std::string(design::OptimiseStatusName(result.status));
  report["inputs"] = InputsDict(result.best.values);
  report["uniformity"] = FigureOrNone(best.Solved(), best.uniformity);
  report["entrance_pressure_Pa"] = FigureOrNone(best.Solved(), best.entrancePressure);
  report["longest_residence_time_s"] = FigureOrNone(best.Solved(), best.longestResidenceTime);
  report["evaluations"] = result.evaluations;
  report["reason"] = result.reason;
  if (history) {
    report["history"] = HistoryColumns(settings, result.history);
  }
  return report;
}

}  // namespace

void RegisterOptimise(py::module_& module) {
  module.def("optimise", &Optimise, py::arg("variables"), py::kw_only(),
             py::arg("objective") = "uniformity", py::arg("max_pressure") = py::none(),
             py::arg("min_uniformity") = py::none(), py::arg("max_residence_time") = py::none(),
             py::arg("max_evaluations") = py::none(), py::arg("history") = false,
             py::arg("all_inputs") = false,
             R"doc(Chooses the values of some inputs between bounds for the best design, as
fluxeta-batch --optimise does, and returns its report as a dict.

variables names the inputs to vary: a list of short names, each between its plausible
range (see fluxeta.inputs()), or a dict {name: (lo, hi)} (None for the plausible range).
Inputs the window keeps fixed need all_inputs=True. Further keyword arguments give the
design's other inputs by short name, as solve() takes them; the rest take the default case.

objective is "uniformity" (the most even slot flow) or "pressure" (the lowest entrance
pressure at a uniformity of at least min_uniformity). The limits max_pressure (Pa),
min_uniformity (-) and max_residence_time (s, at any station) bound the designs a search
may choose. max_evaluations is the budget of solves; None gives 50 plus 150 per variable.
A coarse grid over the bounds finds where to start and a bounded local search refines
the best start; every candidate is solved with the robust search, with the GIL released.
The same arguments always give the same candidates in the same order.

The report: status ("optimum": the local search converged; "infeasible": no candidate met
the limits; "stopped": the budget ran out, the best candidate so far is given), inputs
(all fifteen of the chosen design, {name: value}), uniformity, entrance_pressure_Pa and
longest_residence_time_s (None where the design was not solved), evaluations (the solves
made) and reason (why the search stopped, in a sentence). With history=True it adds
history, a dict of NumPy arrays with a row per candidate in the order solved: evaluation
(1, 2, ...), each variable, status (the outcome code), feasible, uniformity,
entrance_pressure_Pa and longest_residence_time_s (NaN where not solved).

Settings that ask nothing raise ValueError naming the fault: no variable, an unknown or
repeated input, bounds that enclose no value, a limit that is not a finite number, a
pressure objective without min_uniformity. Ctrl-C stops the search with KeyboardInterrupt.
fluxeta.solve(search="robust", **report["inputs"]) gives the chosen design's result.

    >>> report = fluxeta.optimise({"gamma": (0.0, 1.0), "Lend": (2.0, 3.0)})
    >>> report["status"], report["uniformity"], report["inputs"]["Lend"]
)doc");
}

}  // namespace fluxeta::python
