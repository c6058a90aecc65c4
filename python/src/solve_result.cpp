#include "solve_result.h"

#include <filesystem>
#include <limits>
#include <memory>
#include <string>

#include <pybind11/numpy.h>
#include <pybind11/stl/filesystem.h>

#include "case_inputs.h"
#include "fluxeta/base/outcome.h"
#include "fluxeta/case/input_table.h"
#include "fluxeta/case/number_text.h"
#include "fluxeta/case/station_columns.h"
#include "fluxeta/run/replacing_file.h"
#include "fluxeta/run/result_file.h"
#include "python_errors.h"
#include "search_method.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

constexpr double kNotAFigure = std::numeric_limits<double>::quiet_NaN();

// A figure that only a converged solve works out; NaN otherwise, as a study leaves it empty.
double ConvergedFigure(const SolveResult& result, double figure) {
  return result.solution.solve.converged ? figure : kNotAFigure;
}

// Stations 1 … 50 of a column, a read-only view that keeps the result alive.
py::array StationView(py::handle owner, const cases::StationValues& values) {
  py::array_t<double> view({cases::StationCount}, {sizeof(double)}, values.data() + 1, owner);
  py::detail::array_proxy(view.ptr())->flags &= ~py::detail::npy_api::NPY_ARRAY_WRITEABLE_;
  return view;
}

std::string ColumnDoc(const cases::StationColumn& column) {
  return "Station column " + std::string(column.name) + " (" + std::string(column.unit) +
         ") at stations 1 to 50: a read-only float64 array of length 50.";
}

std::unique_ptr<SolveResult> Solve(const std::string& search, const py::kwargs& inputs) {
  const solver::Search method = ParseSearchMethod(search);
  const GivenInputs given = ReadGivenInputs(inputs, UnknownName::AsKeyword);
  auto result = std::make_unique<SolveResult>();
  result->search = method;
  py::gil_scoped_release release;
  cases::StoreInputs(result->parameters,
                     [&given](std::size_t input) { return StoredInput(given, input); });
  result->solution = solver::Solve(result->parameters, method);
  return result;
}

// A result pickles as its stored inputs and its search: the solve is a function of them
// alone, so solving again where it is unpickled gives the same result, bit for bit.
py::tuple PickledResult(const SolveResult& result) {
  py::dict inputs;
  for (const cases::InputSpec& input : cases::kInputs) {
    inputs[py::str(std::string(input.name))] = result.parameters.*input.field;
  }
  return py::make_tuple(std::string(solver::SearchName(result.search)), inputs);
}

std::unique_ptr<SolveResult> UnpickledResult(const py::tuple& state) {
  if (state.size() != 2) {
    throw std::runtime_error("not the state of a fluxeta.SolveResult");
  }
  return Solve(state[0].cast<std::string>(), state[1].cast<py::kwargs>());
}

std::string ResultFileBytes(const SolveResult& result) {
  return run::InputSectionText(result.parameters, cases::kPointSeparator) +
         run::ResultSectionText(result.solution.table, cases::kPointSeparator);
}

py::bytes ResultFileText(const SolveResult& result) {
  return py::bytes(ResultFileBytes(result));
}

// Writes the result file whole through the run layer's writer: under an exclusive
// temporary name beside `path`, renamed into place; a device, a pipe or the file a link
// names is written through.
void WriteResultFile(const SolveResult& result, const std::filesystem::path& path) {
  const std::string bytes = ResultFileBytes(result);
  bool failedToOpen = false;
  std::string failure;
  {
    py::gil_scoped_release release;
    run::ReplacingFile file(path.string());
    if (file.Failed() || !file.Write(bytes) || !file.Commit()) {
      failedToOpen = file.FailedToOpen();
      failure = file.FailureMessage();
    }
  }
  if (!failure.empty()) {
    RaiseOutcome(failedToOpen ? base::Outcome::FileCannotOpen : base::Outcome::IoError, failure);
  }
}

py::dict InputsOf(const SolveResult& result) {
  py::dict inputs;
  for (const cases::InputSpec& input : cases::kInputs) {
    inputs[py::str(std::string(input.name))] = result.parameters.*input.field;
  }
  return inputs;
}

py::dict TableOf(py::object self) {
  const SolveResult& result = self.cast<const SolveResult&>();
  py::dict table;
  for (const cases::StationColumn& column : cases::kStationColumns) {
    table[py::str(std::string(column.name))] =
        StationView(self, result.solution.table.*column.values);
  }
  return table;
}

std::string Status(const SolveResult& result) {
  return std::string(base::OutcomeCode(result.solution.status));
}

std::string Repr(const SolveResult& result) {
  std::string text = "<fluxeta.SolveResult " + Status(result) +
                     " sweeps=" + std::to_string(result.solution.solve.sweeps);
  if (result.solution.solve.converged) {
    text += " entrance_pressure_Pa=" + cases::ShortestText(result.solution.table.P[1]) +
            " uniformity=" + cases::ShortestText(result.solution.table.Uniformity);
  }
  return text + ">";
}

}  // namespace

void RegisterSolve(py::module_& module) {
  py::class_<SolveResult> result(module, "SolveResult",
                                 R"doc(The solution of one case, as fluxeta.solve() returns it.

The scalar figures are those of a study row: NaN where the case did not converge. The
station columns (P, Q, DelQ, Q_DIFF, APP_SR_C, SR_S, APP_VIS_C, VIS_S, A, Dh, H, L, RTime
and the station position X) are read-only float64 arrays of the 50 stations, as the result
file prints them: for a case that did not converge, the last sweep of the search with
Q_DIFF and RTime zero.
)doc");
  result.attr("__module__") = "fluxeta";
  result
      .def_property_readonly("status", &Status,
                             "The outcome code: \"converged\", \"not_converged\", and for the "
                             "robust search \"regime_gap\" or \"no_physical_solution\".")
      .def_property_readonly(
          "converged",
          [](const SolveResult& r) { return r.solution.status == base::Outcome::Converged; },
          "True when the verdict (status) is \"converged\"; a regime gap's answer has figures "
          "but is no converged design, as in study() rows.")
      .def_property_readonly(
          "sweeps", [](const SolveResult& r) { return r.solution.solve.sweeps; },
          "The integration sweeps the search made (at most 50).")
      .def_property_readonly(
          "entrance_pressure_Pa",
          [](const SolveResult& r) { return ConvergedFigure(r, r.solution.table.P[1]); },
          "The cavity pressure at the fed end, P at station 1 (Pa); NaN if not converged.")
      .def_property_readonly(
          "uniformity",
          [](const SolveResult& r) { return ConvergedFigure(r, r.solution.table.Uniformity); },
          "1 - DelQRms / mean DelQ (-); NaN if not converged.")
      .def_property_readonly(
          "DelQRms",
          [](const SolveResult& r) { return ConvergedFigure(r, r.solution.table.DelQRms); },
          "The RMS deviation of the slot flow DelQ from its mean (cm3/s); NaN if not "
          "converged.")
      .def_property_readonly("inputs", &InputsOf,
                             "The fifteen inputs the case was solved with, {short name: value}.")
      .def(
          "result_file_text", &ResultFileText,
          R"doc(The result file of the case, byte for byte as fluxeta-batch writes it with a point as the
decimal separator: code page 932 text with CR LF line ends (bytes).
)doc")
      .def("write_result_file", &WriteResultFile, py::arg("path"),
           R"doc(Writes result_file_text() to the file `path` (a str or os.PathLike) whole, as
fluxeta-batch writes its outputs: under a temporary name of its own beside it, created
exclusively and renamed into place with the old file's permissions, so that the file holds
either its old bytes or the whole result, whatever other threads or programs write there
at the same time. A symbolic link stays and the file it names is replaced; a device or a
pipe is written directly. A file that cannot be created raises fluxeta.InputOutputError
with code "file_cannot_open", a failed write or rename one with code "io_error"; the
message names the path and the system's reason.
)doc")
      .def(
          "table", &TableOf,
          R"doc(The station columns in the order the outputs list them, {name: array}, for instance for
pandas.DataFrame(result.table()).
)doc")
      .def("__repr__", &Repr)
      .def(py::pickle(&PickledResult, &UnpickledResult));

  for (const cases::StationColumn& column : cases::kStationColumns) {
    const cases::StationValues cases::StationTable::*values = column.values;
    result.def_property_readonly(
        std::string(column.name).c_str(),
        [values](py::object self) {
          return StationView(self, self.cast<const SolveResult&>().solution.table.*values);
        },
        ColumnDoc(column).c_str());
  }

  module.def("solve", &Solve, py::arg("search") = "window",
             R"doc(Solves one case and returns its fluxeta.SolveResult.

The inputs are keyword arguments by their short names (see fluxeta.inputs()): Ain, gamma,
Pein, Lin, Lend, W, H, lambda, alpha, eta0, gamma0, n, gammacr, rho, Qin. Those not given
take the default case. A value is a number, or a text written with a point that is read
as the window reads its boxes.

search names the entrance-pressure search: "robust" (a verdict for every design) or "window", the search of the window's OK
button.

A case whose search gives up is returned with status "not_converged". A floating-point
fault raises fluxeta.DivisionByZero, fluxeta.InvalidOperation or fluxeta.Overflow, a text
that is not a number fluxeta.NotANumber; an unknown input name raises TypeError. The
solve runs with the GIL released.

    >>> result = fluxeta.solve(gamma=0.2, Lend=2.8)
    >>> result.uniformity, result.Q_DIFF.max()
)doc");
}

}  // namespace fluxeta::python
