// The errors that end an operation: each carries its outcome code and the exact message
// text that the error box shows (UTF-8).
#pragma once

#include <stdexcept>
#include <string>

#include "fluxeta/base/outcome.h"

namespace fluxeta::base {

class FluxetaError : public std::runtime_error {
 public:
  explicit FluxetaError(const std::string& message)
      : std::runtime_error(message), message_(message) {}
  virtual Outcome outcome() const = 0;
  // The whole message, also past a NUL byte of a quoted text (what() stops there).
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

// A text that is not a number.
class ConversionError : public FluxetaError {
 public:
  explicit ConversionError(const std::string& text);
  const std::string& text() const { return text_; }
  Outcome outcome() const override { return Outcome::NotANumber; }

 private:
  std::string text_;
};

enum class FloatingPointFault { DivisionByZero, InvalidOperation, Overflow };

// Floating-point division by zero, invalid operation or overflow.
class FloatingPointError : public FluxetaError {
 public:
  explicit FloatingPointError(FloatingPointFault fault);
  FloatingPointFault fault() const { return fault_; }
  Outcome outcome() const override;

 private:
  FloatingPointFault fault_;
};

// A failure of the file system after a file was opened, with the runtime's error code.
class InputOutputError : public FluxetaError {
 public:
  explicit InputOutputError(int code);
  int code() const { return code_; }
  Outcome outcome() const override { return Outcome::IoError; }

 private:
  int code_;
};

}  // namespace fluxeta::base
