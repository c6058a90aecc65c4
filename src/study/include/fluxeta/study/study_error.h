// A study that cannot start: a bad --sweep text, a bad cases file, an input name that
// may not be varied. The message names the culprit and goes to standard error.
#pragma once

#include <stdexcept>
#include <string>

namespace fluxeta::study {

class StudyError : public std::runtime_error {
 public:
  explicit StudyError(const std::string& message)
      : std::runtime_error(message), message_(message) {}
  // The whole message, also past a NUL byte of a quoted text (what() stops there).
  const std::string& message() const { return message_; }

 private:
  std::string message_;
};

}  // namespace fluxeta::study
