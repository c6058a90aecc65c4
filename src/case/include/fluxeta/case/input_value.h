// One input of a case as a front gives it: a number, or a text read as a number.
#pragma once

#include <optional>
#include <string>

namespace fluxeta::cases {

// A text keeps its text beside the number it reads as, for the outputs that show a value as
// it was written (a cell of a cases file). A text that is no number keeps its refusal until
// a case is made of it, so that a case refuses it among its inputs in input order, as
// reading the window's boxes refuses the first bad one.
class InputValue {
 public:
  InputValue() = default;
  // Implicit, so that a case of numbers is written as numbers.
  InputValue(double number) : number_(number) {}  // NOLINT(google-explicit-constructor)

  // Reads `text` as a box is read, numbers written with `separator` (ParseNumber). A
  // number beyond the double range reads as an infinity, which a case refuses as the
  // overflow of storing it.
  static InputValue OfText(std::string text, char separator);

  // False for a text that is not a number.
  bool IsNumber() const { return isNumber_; }
  // The number, as the case record stores it: raises ConversionError naming the text for a
  // text that is not a number, and FloatingPointError for a value that is not finite
  // (overflow; invalid operation for not-a-number).
  double Stored() const;
  // The number as read (0 for a text that is not a number).
  double Number() const { return number_; }
  // The text it was read from; nothing for a value given as a number.
  const std::optional<std::string>& Text() const { return text_; }

 private:
  double number_ = 0;
  std::optional<std::string> text_;
  bool isNumber_ = true;
};

}  // namespace fluxeta::cases
