#include "python_errors.h"

#include <array>
#include <exception>
#include <string>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/messages.h"
#include "fluxeta/base/quoted_text.h"

namespace py = pybind11;

namespace fluxeta::python {

namespace {

enum class ErrorClass {
  Base,
  FloatingPointFault,
  DivisionByZero,
  InvalidOperation,
  Overflow,
  NotANumber,
  InputOutputError,
  Count
};

struct ErrorClassDefinition {
  ErrorClass kind;
  const char* name;  // qualified, so that tracebacks and help() show fluxeta.Name
  ErrorClass parent;
  PyObject* builtinBase;  // a second base among Python's own, or nullptr
  const char* doc;
};

// The classes live as long as the interpreter, like the module that holds them.
std::array<PyObject*, static_cast<std::size_t>(ErrorClass::Count)> errorClasses{};

PyObject*& ClassOf(ErrorClass kind) {
  return errorClasses[static_cast<std::size_t>(kind)];
}

ErrorClass ClassOfOutcome(base::Outcome outcome) {
  switch (outcome) {
    case base::Outcome::DivisionByZero:
      return ErrorClass::DivisionByZero;
    case base::Outcome::InvalidOperation:
      return ErrorClass::InvalidOperation;
    case base::Outcome::Overflow:
      return ErrorClass::Overflow;
    case base::Outcome::NotANumber:
      return ErrorClass::NotANumber;
    case base::Outcome::IoError:
    case base::Outcome::FileCannotOpen:
      return ErrorClass::InputOutputError;
    default:
      return ErrorClass::Base;
  }
}

// Sets the pending Python error to the exception of `outcome`.
void SetOutcomeError(base::Outcome outcome, std::string_view message) {
  PyObject* type = ClassOf(ClassOfOutcome(outcome));
  py::object error = py::reinterpret_borrow<py::object>(type)(py::str(std::string(message)));
  error.attr("code") = py::str(std::string(base::OutcomeCode(outcome)));
  PyErr_SetObject(type, error.ptr());
}

}  // namespace

void RaiseOutcome(base::Outcome outcome, std::string_view message) {
  SetOutcomeError(outcome, message);
  throw py::error_already_set();
}

void RegisterErrors(py::module_& module) {
  const std::array<ErrorClassDefinition, static_cast<std::size_t>(ErrorClass::Count)> definitions =
      {{
          {ErrorClass::Base, "fluxeta.FluxetaError", ErrorClass::Base, nullptr,
           "A case that cannot be solved or written.\n\n"
           "str(error) is the system's message, as its error box shows it; error.code is the\n"
           "outcome code (\"division_by_zero\", \"invalid_operation\", \"overflow\",\n"
           "\"not_a_number\", \"io_error\", \"file_cannot_open\")."},
          {ErrorClass::FloatingPointFault, "fluxeta.FloatingPointFault", ErrorClass::Base,
           PyExc_ArithmeticError,
           "A floating-point division by zero, invalid operation or overflow in the solve."},
          {ErrorClass::DivisionByZero, "fluxeta.DivisionByZero", ErrorClass::FloatingPointFault,
           nullptr, "A floating-point division by zero (code \"division_by_zero\")."},
          {ErrorClass::InvalidOperation, "fluxeta.InvalidOperation", ErrorClass::FloatingPointFault,
           nullptr,
           "An invalid floating-point operation, such as 0/0 or the root of a negative number\n"
           "(code \"invalid_operation\")."},
          {ErrorClass::Overflow, "fluxeta.Overflow", ErrorClass::FloatingPointFault, nullptr,
           "A floating-point result beyond the double range (code \"overflow\")."},
          {ErrorClass::NotANumber, "fluxeta.NotANumber", ErrorClass::Base, PyExc_ValueError,
           "An input text that is not a number (code \"not_a_number\")."},
          {ErrorClass::InputOutputError, "fluxeta.InputOutputError", ErrorClass::Base, nullptr,
           "A file that could not be opened or written (codes \"file_cannot_open\", "
           "\"io_error\")."},
      }};

  for (const ErrorClassDefinition& definition : definitions) {
    py::object bases;
    if (definition.kind == ErrorClass::Base) {
      bases = py::reinterpret_borrow<py::object>(PyExc_Exception);
    } else if (definition.builtinBase != nullptr) {
      bases = py::make_tuple(py::handle(ClassOf(definition.parent)),
                             py::handle(definition.builtinBase));
    } else {
      bases = py::reinterpret_borrow<py::object>(ClassOf(definition.parent));
    }
    // The code is set on each raised error; the class itself has none.
    py::dict attributes;
    if (definition.kind == ErrorClass::Base) {
      attributes["code"] = py::none();
    }
    PyObject* type =
        PyErr_NewExceptionWithDoc(definition.name, definition.doc, bases.ptr(), attributes.ptr());
    if (type == nullptr) {
      throw py::error_already_set();
    }
    ClassOf(definition.kind) = type;
    const std::string_view qualified(definition.name);
    module.add_object(std::string(qualified.substr(qualified.find('.') + 1)).c_str(),
                      py::handle(type));
  }

  py::register_exception_translator([](std::exception_ptr thrown) {
    try {
      if (thrown) {
        std::rethrow_exception(thrown);
      }
    } catch (const base::ConversionError& error) {
      // The text quoted by its two ends, as the command line quotes it: a value typed by
      // mistake may be megabytes long.
      SetOutcomeError(error.outcome(),
                      base::messages::ConversionMessage(base::ShortQuote(error.text())));
    } catch (const base::FluxetaError& error) {
      SetOutcomeError(error.outcome(), error.message());
    }
  });
}

}  // namespace fluxeta::python
