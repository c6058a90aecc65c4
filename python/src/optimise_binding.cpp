#include "optimise_binding.h"

#include <chrono>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/stl.h>

#include "case_inputs.h"
#include "design_case.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/coating/operating_point.h"
#include "fluxeta/design/case_design_model.h"
#include "fluxeta/design/coating_window_limit.h"
#include "fluxeta/design/design_tables.h"
#include "fluxeta/design/optimiser.h"
#include "json_value.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

std::string NameOf(py::handle key) {
  if (!py::isinstance<py::str>(key)) {
    throw py::type_error("an input is named by a str, not by " + std::string(py::repr(key)));
  }
  return key.cast<std::string>();
}

// A number as Python gives it: anything float() takes but a bool; None for another object.
std::optional<double> NumberOf(py::handle value) {
  if (IsBoolean(value)) {
    return std::nullopt;
  }
  const double number = PyFloat_AsDouble(value.ptr());
  if (number == -1.0 && PyErr_Occurred()) {
    PyErr_Clear();
    return std::nullopt;
  }
  return number;
}

// (lo, hi) as the bounds of `name`; None keeps its plausible range.
std::optional<design::Bounds> ReadBounds(const std::string& name, py::handle bounds) {
  if (bounds.is_none()) {
    return std::nullopt;
  }
  const auto refuse = [&name, &bounds] {
    throw py::value_error("the bounds of '" + name +
                          "' must be a pair (lo, hi) of numbers or None, not " +
                          std::string(py::repr(bounds)));
  };
  if (!py::isinstance<py::sequence>(bounds) || py::isinstance<py::str>(bounds) ||
      py::len(bounds) != 2) {
    refuse();
  }
  const auto pair = py::reinterpret_borrow<py::sequence>(bounds);
  const auto low = NumberOf(pair[0]);
  const auto high = NumberOf(pair[1]);
  if (!low || !high) {
    refuse();
  }
  return design::Bounds{*low, *high};
}

std::vector<design::VariableRequest> ReadVariables(py::handle variables) {
  std::vector<design::VariableRequest> read;
  if (py::isinstance<py::dict>(variables)) {
    for (const auto [name, bounds] : py::reinterpret_borrow<py::dict>(variables)) {
      const std::string text = NameOf(name);
      read.push_back({text, ReadBounds(text, bounds)});
    }
  } else if (py::isinstance<py::str>(variables) || !py::isinstance<py::iterable>(variables)) {
    throw py::value_error(
        "variables must be a list of input names or a dict {name: (lo, hi)}, not " +
        std::string(py::repr(variables)));
  } else {
    for (const py::handle name : variables) {
      read.push_back({NameOf(name), std::nullopt});
    }
  }
  return read;
}

struct Limits {
  design::DesignLimits bounds;
  std::optional<coating::OperatingPoint> coatingPoint;  // of the coating window's limit
};

// The operating point of the coating window's limit, as coating_window() reads it.
coating::OperatingPoint OperatingPointOf(const std::string& key, const py::object& value) {
  if (!py::isinstance<py::dict>(value)) {
    throw py::type_error(key + " must be a dict of an operating point or None, not " +
                         std::string(py::repr(value)));
  }
  try {
    return coating::ReadOperatingPoint(JsonOf(value, key + "'s operating point"));
  } catch (const cases::DocumentError& error) {
    throw py::value_error(key + ": operating point: " + std::string(error.what()));
  }
}

// Takes the limits out of the keyword arguments, leaving the design's inputs.
Limits TakeLimits(py::kwargs& settings) {
  Limits limits;
  for (std::size_t limit = 0; limit < design::kDesignLimits.size(); ++limit) {
    const std::string key(design::kDesignLimits[limit].key);
    if (!settings.contains(key)) {
      continue;
    }
    const py::object value = settings[py::str(key)];
    PyDict_DelItemString(settings.ptr(), key.c_str());
    if (value.is_none()) {
      continue;
    }
    if (design::kDesignLimits[limit].byOperatingPoint) {
      limits.coatingPoint = OperatingPointOf(key, value);
      limits.bounds[limit] = design::kEveryStationInside;
      continue;
    }
    std::optional<double>& bound = limits.bounds[limit];
    bound = NumberOf(value);
    if (!bound) {
      throw py::type_error(key + " must be a number or None, not " + std::string(py::repr(value)));
    }
  }
  return limits;
}

// How often the search takes the GIL back to hear of signals: seldom enough that other
// Python threads are not held up candidate by candidate, often enough for Ctrl-C.
constexpr std::chrono::milliseconds kSignalCheckInterval{100};

// Runs the search with the GIL released; a signal such as Ctrl-C, heard between two
// candidates, cancels it and is raised.
design::OptimiseResult SearchReleased(const design::DesignModel& model,
                                      const design::OptimiseSettings& settings) {
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
    result = design::Optimise(model, settings, evaluated);
  }
  if (signal) {
    throw std::move(*signal);
  }
  return result;
}

py::dict Optimise(const py::object& variables, const std::string& objective,
                  std::optional<long long> maxEvaluations, bool history, bool allInputs,
                  py::kwargs settingsAndBase) {
  design::OptimiseSettings settings;
  settings.variables = ReadVariables(variables);
  settings.objective = design::ParseObjective(objective);
  const Limits limits = TakeLimits(settingsAndBase);
  settings.limits = limits.bounds;
  settings.maxEvaluations = maxEvaluations;
  settings.allInputs = allInputs;
  for (const design::VariableRequest& variable : settings.variables) {
    if (settingsAndBase.contains(variable.name)) {
      throw py::value_error("input '" + variable.name +
                            "' is both a design variable and given as a base value");
    }
  }
  const design::CaseDesignModel model(DesignBase(settingsAndBase), design::Search::Robust,
                                      limits.coatingPoint);
  design::CheckOptimise(model, settings, PythonSettingNames());

  const design::OptimiseResult result = SearchReleased(model, settings);
  py::dict report = PythonOfJson(design::OptimiseReport(model, result));
  if (history) {
    report["history"] = TableColumns(design::HistoryColumns(model, result), result.history);
  }
  return report;
}

std::string LimitKeywords() {
  std::string text;
  for (const design::LimitSpec& limit : design::kDesignLimits) {
    text += "  " + std::string(limit.key) + ": " + std::string(limit.help) + "\n";
  }
  return text;
}

}  // namespace

void RegisterOptimise(py::module_& module) {
  static const std::string doc =
      R"doc(Chooses the values of some inputs between bounds for the best design, as
fluxeta-batch --optimise does, and returns its report as a dict.

variables names the inputs to vary: a list of short names, each between its plausible
range (see fluxeta.inputs()), or a dict {name: (lo, hi)} (None for the plausible range).
Inputs the window keeps fixed need all_inputs=True. Bounds must lie in the input's
physical domain (lengths, areas, viscosities, the density and the flow rate above zero).

objective is "uniformity" (the most even slot flow) or "pressure" (the lowest entrance
pressure at a uniformity of at least min_uniformity). These keyword arguments limit the
designs a search may choose (None, or left out, for no limit):
)doc" +
      LimitKeywords() +
      R"doc(Further keyword arguments give the design's other inputs by short name, as
solve() takes them; the rest take the default case. max_evaluations is the budget of
solves; None gives 50 plus 150 per variable. A coarse grid over the bounds finds where to
start and a bounded local search refines the best start; every candidate is solved with
the robust search, with the GIL released. The same arguments always give the same
candidates in the same order.

The report: status ("optimum": the local search converged; "infeasible": no candidate met
the limits or none could be solved; "stopped": the budget ran out, the best candidate so
far is given; only an optimum is an answer), inputs (all fifteen of the chosen design,
{name: value}), uniformity, entrance_pressure_Pa and longest_residence_time_s (None
where the design was not solved), with coating_window also coating_window_margin (how far
inside the window the whole web lies: the least of the thinnest film's margin to the
low-flow limit over that limit, the thickest film's to the gap over the gap, and the span
of vacuums that hold every station over the span one station holds; zero or more when the
web is inside), evaluations (the solves made) and reason (why the search stopped, in a
sentence). With history=True it adds history, a dict of NumPy arrays with a row per
candidate in the order solved: evaluation (1, 2, ...), each variable, status (the outcome
code), feasible, uniformity, entrance_pressure_Pa, longest_residence_time_s and with
coating_window coating_window_margin (NaN where not solved).

Settings that ask nothing, or a die that cannot exist, raise ValueError naming the fault:
no variable, an unknown or repeated input, bounds that enclose no value or leave the
input's physical domain, a limit that is not a number of its domain, a pressure objective
without min_uniformity, an operating point that coating_window() refuses. Ctrl-C stops the search with KeyboardInterrupt.
fluxeta.solve(search="robust", **report["inputs"]) gives the chosen design's result.

    >>> report = fluxeta.optimise({"gamma": (0.0, 1.0), "Lend": (2.0, 3.0)})
    >>> report["status"], report["uniformity"], report["inputs"]["Lend"]
)doc";
  module.def("optimise", &Optimise, py::arg("variables"), py::kw_only(),
             py::arg("objective") = "uniformity", py::arg("max_evaluations") = py::none(),
             py::arg("history") = false, py::arg("all_inputs") = false, doc.c_str());
}

}  // namespace fluxeta::python
