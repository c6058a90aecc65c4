#include "die_document_argument.h"

#include <string>

#include "fluxeta/case/die_document.h"
#include "fluxeta/case/document_error.h"
#include "json_value.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {
constexpr const char* kDocumentKind = "die document";
}  // namespace

nlohmann::json GivenDocument::Json() const {
  return json ? *json : cases::ReadDieDocumentFile(file);
}

GivenDocument DocumentOf(const py::object& doc) {
  GivenDocument given;
  if (py::isinstance<py::dict>(doc)) {
    given.json = JsonOf(doc, kDocumentKind);
    given.directory = std::filesystem::current_path();
    return given;
  }
  const py::object os = py::module_::import("os");
  if (!py::isinstance<py::str>(doc) && !py::isinstance(doc, os.attr("PathLike"))) {
    throw py::type_error("doc: a die document is a dict or the path of its JSON file, not " +
                         std::string(py::repr(doc)));
  }
  given.file = std::filesystem::path(os.attr("fspath")(doc).cast<std::string>());
  given.directory = given.file.parent_path();
  return given;
}

nlohmann::json ReadDocumentArgument(const GivenDocument& given) {
  try {
    return cases::DieDocumentJson(cases::ReadDieDocument(given.Json(), given.directory));
  } catch (const cases::DocumentError& error) {
    throw py::value_error(error.what());
  }
}

}  // namespace fluxeta::python
