#include "fluxeta/case/input_value.h"

#include "fluxeta/base/errors.h"
#include "fluxeta/case/case_parameters.h"
#include "fluxeta/case/number_text.h"

namespace fluxeta::cases {

InputValue InputValue::OfText(std::string text, char separator) {
  InputValue value;
  try {
    // A long double rounded to a double: too large a value becomes an infinity, which
    // storing refuses as the overflow that storing the wide value would raise.
    value.number_ = static_cast<double>(ParseNumber(text, separator));
  } catch (const base::ConversionError&) {
    value.isNumber_ = false;
  }
  value.text_ = std::move(text);
  return value;
}

double InputValue::Stored() const {
  if (!isNumber_) {
    throw base::ConversionError(*text_);
  }
  return StoredInputValue(number_);
}

}  // namespace fluxeta::cases
