#include "study_binding.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <future>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include "case_inputs.h"
#include "die_document_argument.h"
#include "fluxeta/base/outcome.h"
#include "fluxeta/case/document_error.h"
#include "fluxeta/study/die_study.h"
#include "fluxeta/study/study_case_result.h"
#include "fluxeta/study/study_columns.h"
#include "fluxeta/study/study_parallel.h"
#include "fluxeta/study/study_service.h"
#include "search_method.h"
#include "study_cases.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

constexpr double kNotAFigure = std::numeric_limits<double>::quiet_NaN();

using study::CaseResult;

// The range of fluxeta-batch -j: more threads than that are surely a slip.
constexpr long kMaxJobs = 4096;

unsigned ThreadsOfJobs(std::optional<long> jobs) {
  if (!jobs) {
    return study::ThreadCount(0);
  }
  if (*jobs < 1 || *jobs > kMaxJobs) {
    throw py::value_error("jobs must be from 1 to " + std::to_string(kMaxJobs) +
                          ", or None for every core");
  }
  return study::ThreadCount(static_cast<unsigned>(*jobs));
}

// Every row is kept until the study returns, a few hundred bytes each: more cases than
// this would take gigabytes. fluxeta-batch writes its rows as it goes, for any size.
constexpr std::uint64_t kMaxScriptStudyCases = 1'000'000;

// How often the waiting thread takes the GIL back to hear of signals, as optimise() does.
constexpr std::chrono::milliseconds kSignalCheckInterval{100};

std::vector<CaseResult> SolveCases(ScriptCases& cases,
                                   std::shared_ptr<const study::CaseModel> model,
                                   unsigned threads) {
  std::atomic<bool> cancel{false};
  study::StudyRequest request;
  request.grid = &cases.grid;
  request.model = std::move(model);
  request.threads = threads;
  request.cancel = &cancel;
  // The rows are all kept: one block, so that no thread waits for another before the end.
  request.casesPerBlock = cases.grid.CaseCount();
  std::vector<CaseResult> results;
  results.reserve(cases.grid.CaseCount());
  std::optional<py::error_already_set> signal;
  {
    py::gil_scoped_release release;
    // The study runs beside this thread, which wakes every interval to hear of Ctrl-C;
    // a signal cancels the cases not yet started.
    std::future<void> solved = std::async(std::launch::async, [&request, &results] {
      study::SolveStudy(request, [&results](std::uint64_t, std::vector<CaseResult>& rows) {
        results.insert(results.end(), std::make_move_iterator(rows.begin()),
                       std::make_move_iterator(rows.end()));
        return true;
      });
    });
    while (solved.wait_for(kSignalCheckInterval) != std::future_status::ready) {
      py::gil_scoped_acquire gil;
      if (!signal && PyErr_CheckSignals() != 0) {
        signal.emplace();
        cancel = true;
      }
    }
    solved.get();
  }
  if (signal) {
    throw std::move(*signal);
  }
  return results;
}

// One Python str per distinct text, shared by every row that holds it.
class TextObjects {
 public:
  py::object Of(std::string_view text) {
    auto known = objects_.find(text);
    if (known == objects_.end()) {
      known = objects_.emplace(std::string(text), py::str(std::string(text))).first;
    }
    return known->second;
  }

 private:
  std::map<std::string, py::object, std::less<>> objects_;
};

py::array InputColumn(const ScriptCases& cases, std::size_t column) {
  const std::uint64_t count = cases.grid.CaseCount();
  const std::vector<py::object>& objects = cases.objects[column];
  if (!cases.anyText[column]) {
    py::array_t<double> values(static_cast<py::ssize_t>(count));
    double* out = values.mutable_data();
    std::vector<cases::InputValue> cells;
    for (std::uint64_t index = 0; index < count; ++index) {
      cases.grid.CaseValues(index, cells);
      out[index] = cells[column].Number();
    }
    return values;
  }
  py::array texts(py::dtype("O"), {static_cast<py::ssize_t>(count)}, {});
  auto* out = static_cast<PyObject**>(texts.mutable_data());
  for (std::uint64_t index = 0; index < count; ++index) {
    Py_XDECREF(out[index]);
    out[index] = objects[cases.grid.PointOf(index, column)].inc_ref().ptr();
  }
  return texts;
}

template <typename T, typename Field>
py::array ResultColumn(const std::vector<CaseResult>& results, Field field) {
  py::array_t<T> column(static_cast<py::ssize_t>(results.size()));
  T* out = column.mutable_data();
  for (std::size_t index = 0; index < results.size(); ++index) {
    out[index] = field(results[index]);
  }
  return column;
}

template <typename Text>
py::array TextColumn(const std::vector<CaseResult>& results, TextObjects& texts, Text text) {
  py::array column(py::dtype("O"), {static_cast<py::ssize_t>(results.size())}, {});
  auto* out = static_cast<PyObject**>(column.mutable_data());
  for (std::size_t index = 0; index < results.size(); ++index) {
    Py_XDECREF(out[index]);
    out[index] = texts.Of(text(results[index])).release().ptr();
  }
  return column;
}

py::dict RowColumns(const ScriptCases& cases, const std::vector<CaseResult>& results,
                    study::StudyRows kind) {
  py::dict rows;
  for (std::size_t column = 0; column < cases.grid.Columns().size(); ++column) {
    rows[py::str(std::string(cases.grid.Columns()[column]->name))] = InputColumn(cases, column);
  }
  TextObjects texts;
  for (const study::StudyColumn& column : study::kStudyColumns) {
    if (!study::InRows(column, kind)) {
      continue;
    }
    py::array values;
    switch (column.kind) {
      case study::ColumnKind::Verdict:
        values = ResultColumn<bool>(results, [](const CaseResult& r) { return r.converged; });
        break;
      case study::ColumnKind::Status:
        values = TextColumn(results, texts,
                            [](const CaseResult& r) { return base::OutcomeCode(r.status); });
        break;
      case study::ColumnKind::Sweeps:
        // 0 where the solve did not run to its end, as the case's result says.
        values = ResultColumn<std::int64_t>(results, [](const CaseResult& r) { return r.sweeps; });
        break;
      case study::ColumnKind::Outcome:
        values = TextColumn(results, texts,
                            [](const CaseResult& r) -> std::string_view { return r.outcome; });
        break;
      case study::ColumnKind::Figure:
      case study::ColumnKind::Spread:
        values = ResultColumn<double>(results, [&column](const CaseResult& r) {
          return study::HasField(column, r) ? r.*column.figure : kNotAFigure;
        });
        break;
    }
    rows[py::str(std::string(column.name))] = std::move(values);
  }
  return rows;
}

void CheckCaseCount(const ScriptCases& cases) {
  if (cases.grid.CaseCount() > kMaxScriptStudyCases) {
    throw py::value_error("a study takes at most " + std::to_string(kMaxScriptStudyCases) +
                          " cases, whose rows are all kept, not " +
                          std::to_string(cases.grid.CaseCount()) +
                          "; fluxeta-batch --sweep writes the rows of any study as it goes");
  }
}

// A study of a die document: the cases name its numbers by their paths.
py::dict DieStudy(const py::object& gridOrCases, const py::object& die, unsigned threads,
                  const py::kwargs& base) {
  if (!base.empty()) {
    throw py::type_error(
        "study() with die takes no base values as keyword arguments; the document gives the "
        "values that the study does not vary");
  }
  const GivenDocument given = DocumentOf(die);
  std::shared_ptr<const study::DieCaseModel> model;
  try {
    model = std::make_shared<study::DieCaseModel>(ReadDocumentArgument(given), given.directory);
  } catch (const cases::DocumentError& error) {
    throw py::value_error(error.what());
  }
  study::DieStudyVariables variables(model->document());
  ScriptCases cases = ReadScriptCases(gridOrCases, variables);
  CheckCaseCount(cases);
  const std::vector<CaseResult> results = SolveCases(cases, model, threads);
  return RowColumns(cases, results, study::StudyRows::Die);
}

py::dict Study(const py::object& gridOrCases, const std::optional<std::string>& search,
               std::optional<long> jobs, const py::object& die, const py::kwargs& base) {
  const unsigned threads = ThreadsOfJobs(jobs);
  if (!die.is_none()) {
    if (search) {
      throw py::value_error(
          "search: a die document is solved by the general die model, which "
          "has no searches; leave search out");
    }
    return DieStudy(gridOrCases, die, threads, base);
  }
  const solver::Search method = ParseSearchMethod(search.value_or("robust"));
  ScriptCases cases = ReadScriptCases(gridOrCases);
  CheckCaseCount(cases);
  const GivenInputs baseInputs = ReadGivenInputs(base, UnknownName::AsKeyword);
  for (const study::StudyVariable* input : cases.grid.Columns()) {
    if (baseInputs[*input->input]) {
      throw py::value_error("input '" + std::string(input->name) +
                            "' is both varied and given as a base value");
    }
  }
  const std::vector<CaseResult> results = SolveCases(
      cases, std::make_shared<study::InputCaseModel>(CaseInputsOf(baseInputs), method), threads);
  return RowColumns(
      cases, results,
      method == solver::Search::Robust ? study::StudyRows::Robust : study::StudyRows::Window);
}

}  // namespace

void RegisterStudy(py::module_& module) {
  module.def(
      "study", &Study, py::arg("cases"), py::arg("search") = py::none(),
      py::arg("jobs") = py::none(), py::kw_only(), py::arg("die") = py::none(),
      R"doc(Solves many cases in parallel and returns the rows of fluxeta-batch's study CSV as a dict
of NumPy arrays, one entry per column, so that pandas.DataFrame(fluxeta.study(...)) works.

cases is either a grid, a dict {name: sequence of values} whose first name is the
outermost loop and last the innermost (like the order of --sweep options), or a list of
cases, dicts {name: value} that all name the same inputs. Values are numbers, or texts
written with a point that are read as the window reads its boxes. Further keyword
arguments give the inputs that the study does not vary; the rest take the default case.

search names the entrance-pressure search: "robust" (the default; its study adds the
columns entrance_pressure_spread_Pa and uniformity_spread, NaN but for regime gaps) or
"window". jobs is the number of threads; None uses every core.

die, a die document (a dict, or the path of its JSON file, as solve_die() takes it),
studies that die instead of the window's case, as fluxeta-batch --die FILE --sweep does:
the cases name numbers of the document by their paths ("geometry.manifold.radius",
"flow_rate", "fluid.n"), each case is the document with its values, read again by the
document reader and solved by the general die model; search and base values do not
apply. A case the reader refuses is a row with the status "refused_input" and the
reader's message. Its rows end with flow_ratio (the smallest over the largest slot flow)
and have no spread columns.

    >>> rows = fluxeta.study({"geometry.manifold.radius": [0.5, 1.0, 1.5]}, die=doc)
The rows are the same for any jobs. The cases are solved with the GIL released; Ctrl-C
is heard within 0.1 s and raises KeyboardInterrupt once the cases started have finished.
A study takes at most 1,000,000 cases (every row is kept until it returns); more raise
ValueError, and fluxeta-batch --sweep writes the rows of any study as it goes.

The columns, in order: each varied input (float64, or object where a value is a text),
converged (bool), status (the outcome code: "converged", "not_converged",
"division_by_zero", ...), sweeps (int64, 0 where the solve did not run to its end),
outcome (the message of a case that did not finish, "" when solved),
entrance_pressure_Pa, uniformity, DelQRms, Q_DIFF_min and Q_DIFF_max (float64, NaN
where the case did not converge). A failing case never stops the study.

    >>> rows = fluxeta.study({"gamma": [0.0, 0.5, 1.0], "Lend": [2.0, 2.5, 3.0]})
    >>> rows["uniformity"].reshape(3, 3)
)doc");
}

}  // namespace fluxeta::python
