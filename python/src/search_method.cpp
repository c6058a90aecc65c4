#include "search_method.h"

#include <string>

#include <pybind11/pybind11.h>

namespace fluxeta::python {

solver::Search ParseSearchMethod(std::string_view name) {
  if (const auto search = solver::SearchOfName(name)) {
    return *search;
  }
  std::string known;
  for (const solver::Search search : {solver::Search::Window, solver::Search::Robust}) {
    known += known.empty() ? "'" : ", '";
    known += solver::SearchName(search);
    known += "'";
  }
  throw pybind11::value_error("unknown search '" + std::string(name) + "'; the searches are " +
                              known);
}

}  // namespace fluxeta::python
