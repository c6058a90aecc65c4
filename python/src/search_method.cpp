#include "search_method.h"

#include <array>
#include <stdexcept>
#include <string>
#include <utility>

#include <pybind11/pybind11.h>

namespace fluxeta::python {

namespace {

constexpr std::array<std::pair<SearchMethod, std::string_view>, 2> kSearchNames = {{
    {SearchMethod::Window, "window"},
    {SearchMethod::Robust, "robust"},
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

solver::Search CoreSearch(SearchMethod method) {
  return method == SearchMethod::Robust ? solver::Search::Robust : solver::Search::Window;
}

solver::SearchOutcome SolveWith(SearchMethod method, const cases::CaseParameters& parameters,
                                cases::StationTable& table, solver::SolverState& state) {
  return solver::SolveWithSearch(CoreSearch(method), parameters, table, state);
}

}  // namespace fluxeta::python
