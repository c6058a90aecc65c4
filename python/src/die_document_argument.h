// A die document as a script gives it: a dict of the document, or the path of its JSON file
// (a str or an os.PathLike).
#pragma once

#include <filesystem>
#include <optional>

#include <pybind11/pybind11.h>
#include <nlohmann/json.hpp>

namespace fluxeta::python {

struct GivenDocument {
  std::optional<nlohmann::json> json;  // of a dict
  std::filesystem::path file;          // otherwise
  // The folder its profile is read relative to: the current one for a dict.
  std::filesystem::path directory;

  // The JSON of the dict, or read from the file; raises DocumentError. Needs no Python.
  nlohmann::json Json() const;
};

// Raises TypeError for an object that is neither.
GivenDocument DocumentOf(const pybind11::object& doc);

// The document as a study or a design starts from it: read and written back by the document
// reader, every default written out. Raises ValueError with the reader's refusal.
nlohmann::json ReadDocumentArgument(const GivenDocument& given);

}  // namespace fluxeta::python
