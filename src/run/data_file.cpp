#include "fluxeta/run/data_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <variant>

#include "fluxeta/base/messages.h"
#include "fluxeta/case/input_table.h"

namespace fluxeta::run {

namespace {

constexpr char kBlank = ' ';
constexpr char kLineFeed = '\n';
constexpr char kCarriageReturn = '\r';
constexpr std::size_t kReadChunkBytes = 4096;

// The value of a line: the first word after its first "=", words being separated by
// blanks (spaces only); nullopt when the line has no "=".
std::optional<std::string> ValueText(const std::string& line) {
  const auto equals = line.find('=');
  if (equals == std::string::npos) {
    return std::nullopt;
  }
  std::string_view value(line);
  value.remove_prefix(equals + 1);
  const auto firstNonBlank = value.find_first_not_of(kBlank);
  if (firstNonBlank == std::string_view::npos) {
    return std::string();
  }
  value.remove_prefix(firstNonBlank);
  return std::string(value.substr(0, value.find(kBlank)));
}

}  // namespace

DataFileRead ReadDataFile(const std::string& path) {
  DataFileRead read;
  if (path.empty() || path.find('\0') != std::string::npos) {
    read.errorNumber = ENOENT;
    return read;
  }
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    read.errorNumber = errno;
    return read;
  }

  DataFileLines lines;
  int line = 0;
  std::size_t bytesRead = 0;
  char chunk[kReadChunkBytes];
  // Reads only as far as the fifteenth line end; the rest of the file is never looked at.
  while (line < kDataFileLineCount && read.errorNumber == 0) {
    const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
    if (count < 0) {
      if (errno != EINTR) {
        read.errorNumber = errno;
      }
      continue;
    }
    if (count == 0) {
      break;
    }
    for (ssize_t at = 0; at < count && line < kDataFileLineCount; ++at) {
      const char byte = chunk[at];
      if (byte == kLineFeed) {
        ++line;
      } else if (byte != kCarriageReturn) {
        lines[line] += byte;
      }
      if (++bytesRead > kMostDataFileBytes) {
        read.errorNumber = EFBIG;
        break;
      }
    }
  }
  ::close(descriptor);
  if (read.errorNumber == 0) {
    read.lines = std::move(lines);
  }
  return read;
}

std::optional<DataFileLines> ReadDataFileLines(const std::string& path) {
  return ReadDataFile(path).lines;
}

namespace {

// The value texts of the lines, or the message that refuses the file when a line has no "=".
std::variant<DataFileLines, std::string> LineValues(const DataFileLines& lines,
                                                    std::string_view path) {
  DataFileLines values;
  for (int line = 0; line < kDataFileLineCount; ++line) {
    auto value = ValueText(lines[line]);
    if (!value) {
      return base::messages::NotACorrectDataFileMessage(path);
    }
    values[line] = std::move(*value);
  }
  return values;
}

}  // namespace

std::optional<std::string> ApplyDataFileLines(const DataFileLines& lines, std::string_view path,
                                              cases::CaseInputs& inputs,
                                              const EnabledInputs& enabled, char separator) {
  // Every line is checked before any input changes, so a refused file leaves them alone.
  auto values = LineValues(lines, path);
  if (auto* refusal = std::get_if<std::string>(&values)) {
    return std::move(*refusal);
  }
  auto& texts = std::get<DataFileLines>(values);
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    if (enabled[input]) {
      inputs[input] = cases::InputValue::OfText(std::move(texts[input]), separator);
    }
  }
  return std::nullopt;
}

std::optional<std::string> ApplyDataFileLines(const DataFileLines& lines, std::string_view path,
                                              BoxTexts& boxes, const EnabledBoxes& enabled) {
  auto values = LineValues(lines, path);
  if (auto* refusal = std::get_if<std::string>(&values)) {
    return std::move(*refusal);
  }
  auto& texts = std::get<DataFileLines>(values);
  for (std::size_t input = 0; input < cases::kInputCount; ++input) {
    if (enabled[kInputBoxes[input] - 1]) {
      boxes.Input(input) = std::move(texts[input]);
    }
  }
  return std::nullopt;
}

}  // namespace fluxeta::run
