// Sets the process's decimal separator for one test and restores the previous one.
#pragma once

#include "case/number_text.h"

namespace fluxeta::testing {

class SeparatorInForce {
 public:
  explicit SeparatorInForce(char separator) : saved_(cases::DecimalSeparator()) {
    cases::SetDecimalSeparator(separator);
  }
  ~SeparatorInForce() { cases::SetDecimalSeparator(saved_); }
  SeparatorInForce(const SeparatorInForce&) = delete;
  SeparatorInForce& operator=(const SeparatorInForce&) = delete;

 private:
  char saved_;
};

}  // namespace fluxeta::testing
