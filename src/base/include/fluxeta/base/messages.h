// Every text that the program shows to the user, in one place.
#pragma once

#include <string>
#include <string_view>

#include "fluxeta/base/errors.h"

namespace fluxeta::base::messages {

// Plain message box texts.
inline constexpr std::string_view kFileCanNotOpen = "File can not open!";
inline constexpr std::string_view kDoesNotConverge = "Sorry, this case does not converge.";
inline constexpr std::string_view kSelectOneDataFile = "Select one data file! Please try again.";
inline constexpr std::string_view kDataFileCanNotOpen = "Data file can not open!";
inline constexpr std::string_view kNotACorrectDataFile = " is not a correct data file!";
inline constexpr std::string_view kCalculationFinished = "Calculation is successfully finished !";

// Error box texts; %s and %d stand for the offending text and the error code.
inline constexpr std::string_view kNotAFloatingPointNumber = "'%s' は浮動小数点数ではありません";
inline constexpr std::string_view kDivisionByZero = "0 による浮動小数点数除算";
inline constexpr std::string_view kInvalidOperation = "不正な浮動小数点数演算命令";
inline constexpr std::string_view kOverflow = "浮動小数点数のオーバーフロー";

// Input/output error codes of the runtime.
inline constexpr int kIoFileNotFound = 2;
inline constexpr int kIoPathNotFound = 3;
inline constexpr int kIoTooManyOpenFiles = 4;
inline constexpr int kIoAccessDenied = 5;
inline constexpr int kIoReadPastEnd = 100;
inline constexpr int kIoDiskFull = 101;
inline constexpr int kIoInvalidNumericInput = 106;

std::string ConversionMessage(std::string_view text);
std::string_view FloatingPointMessage(FloatingPointFault fault);
std::string InputOutputMessage(int code);

// The message of a bad data file: the path in double quotes, then kNotACorrectDataFile.
std::string NotACorrectDataFileMessage(std::string_view path);

// The error box text: the message with "." appended when its last byte sorts after ".".
std::string ErrorBoxText(std::string_view message);

}  // namespace fluxeta::base::messages
