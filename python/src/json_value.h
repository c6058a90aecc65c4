// A Python value (a dict of a document) as the JSON value its document reader takes.
#pragma once

#include <string>

#include <pybind11/pybind11.h>
#include <nlohmann/json.hpp>

namespace fluxeta::python {

// The JSON of `value`: None, bool, int, float, str, list, tuple and dict with str keys. A NaN
// or an infinity stays a number, so that the document's reader names the key it stands at.
// Raises TypeError for anything else, naming `kind` (the document: "operating point").
nlohmann::json JsonOf(const pybind11::handle& value, const std::string& kind);

}  // namespace fluxeta::python
