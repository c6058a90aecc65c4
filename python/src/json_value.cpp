#include "json_value.h"

#include <limits>
#include <string>

namespace py = pybind11;

namespace fluxeta::python {

nlohmann::json JsonOf(const py::handle& value, const std::string& kind) {
  if (value.is_none()) {
    return nullptr;
  }
  if (py::isinstance<py::bool_>(value)) {
    return value.cast<bool>();
  }
  if (py::isinstance<py::int_>(value)) {
    // An int beyond a double stays a number too, an infinite one, for the reader to refuse.
    const double number = PyLong_AsDouble(value.ptr());
    if (number == -1.0 && PyErr_Occurred()) {
      PyErr_Clear();
      const double infinity = std::numeric_limits<double>::infinity();
      return value > py::int_(0) ? infinity : -infinity;
    }
    return number;
  }
  if (py::isinstance<py::float_>(value)) {
    return value.cast<double>();
  }
  if (py::isinstance<py::str>(value)) {
    return value.cast<std::string>();
  }
  if (py::isinstance<py::list>(value) || py::isinstance<py::tuple>(value)) {
    nlohmann::json array = nlohmann::json::array();
    for (const py::handle item : value) {
      array.push_back(JsonOf(item, kind));
    }
    return array;
  }
  if (py::isinstance<py::dict>(value)) {
    nlohmann::json object = nlohmann::json::object();
    for (const auto& [key, item] : value.cast<py::dict>()) {
      if (!py::isinstance<py::str>(key)) {
        throw py::type_error("the " + kind + "'s keys are str, not " + std::string(py::repr(key)));
      }
      object[key.cast<std::string>()] = JsonOf(item, kind);
    }
    return object;
  }
  throw py::type_error("the " + kind + " holds numbers and lists, not " +
                       std::string(py::repr(value)));
}

}  // namespace fluxeta::python
