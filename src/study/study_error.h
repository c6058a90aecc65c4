// A study that cannot start: a bad --sweep text, a bad cases file, an input name that
// may not be varied. The message names the culprit and goes to standard error.
#pragma once

#include <stdexcept>

namespace fluxeta::study {

class StudyError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace fluxeta::study
