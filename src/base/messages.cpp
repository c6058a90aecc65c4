#include "fluxeta/base/messages.h"

#include <string>

namespace fluxeta::base {

namespace {
std::string Substitute(std::string_view pattern, std::string_view placeholder,
                       std::string_view value) {
  std::string text(pattern);
  const auto at = text.find(placeholder);
  text.replace(at, placeholder.size(), value);
  return text;
}
}  // namespace

ConversionError::ConversionError(const std::string& text)
    : FluxetaError(messages::ConversionMessage(text)), text_(text) {}

FloatingPointError::FloatingPointError(FloatingPointFault fault)
    : FluxetaError(std::string(messages::FloatingPointMessage(fault))), fault_(fault) {}

Outcome FloatingPointError::outcome() const {
  switch (fault_) {
    case FloatingPointFault::DivisionByZero:
      return Outcome::DivisionByZero;
    case FloatingPointFault::InvalidOperation:
      return Outcome::InvalidOperation;
    case FloatingPointFault::Overflow:
      break;
  }
  return Outcome::Overflow;
}

InputOutputError::InputOutputError(int code)
    : FluxetaError(messages::InputOutputMessage(code)), code_(code) {}

namespace messages {

std::string ConversionMessage(std::string_view text) {
  return Substitute(kNotAFloatingPointNumber, "%s", text);
}

std::string_view FloatingPointMessage(FloatingPointFault fault) {
  switch (fault) {
    case FloatingPointFault::DivisionByZero:
      return kDivisionByZero;
    case FloatingPointFault::InvalidOperation:
      return kInvalidOperation;
    case FloatingPointFault::Overflow:
      return kOverflow;
  }
  return kInvalidOperation;
}

std::string InputOutputMessage(int code) {
  switch (code) {
    case kIoFileNotFound:
      return "ファイルが見つかりません";
    case kIoPathNotFound:
      return "ファイル名の指定が間違っています";
    case kIoTooManyOpenFiles:
      return "オープンしたファイルが多すぎます";
    case kIoAccessDenied:
      return "ファイルへのアクセスが拒否されました";
    case kIoReadPastEnd:
      return "ファイルの末尾以降を読み込みました";
    case kIoDiskFull:
      return "ディスクがいっぱいです";
    case kIoInvalidNumericInput:
      return "入力値が数値ではありません";
    default:
      return Substitute("I/O エラー (%d)", "%d", std::to_string(code));
  }
}

std::string NotACorrectDataFileMessage(std::string_view path) {
  std::string text = "\"";
  text += path;
  text += "\"";
  text += kNotACorrectDataFile;
  return text;
}

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

}  // namespace messages
}  // namespace fluxeta::base
