#include "search_method.h"

#include <array>
#include <stdexcept>
#include <string>
#include <utility>

#include <pybind11/pybind11.h>

namespace fluxeta::python {

namespace {

constexpr std::array<std::pair<SearchMethod, std::string_view>, 1> kSearchNames = {{
    {SearchMethod::Window, "window"},
}};

}  // namespace

SearchMethod ParseSearchMethod(std::string_view name) {
  std::string known;
  for (const auto& [method, methodName] : kSearchNames) {
    if (methodName == name) {
      return method;
    }
    known += known.empty() ? "'" : ", '";
    known += methodName;
    known += "'";
  }
  throw pybind11::value_error("unknown search '" + std::string(name) + "'; the searches are " +
                              known);
}

solver::SolveOutcome SolveWith(SearchMethod method, const cases::CaseParameters& parameters,
                               cases::StationTable& table, solver::SolverState& state) {
  switch (method) {
    case SearchMethod::Window:
      return solver::SolveDieFlow(parameters, table, state);
  }
  throw std::logic_error("a search method without a solve");
}

}  // namespace fluxeta::python
