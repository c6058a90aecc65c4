#include "run/data_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "base/messages.h"
#include "case/input_table.h"

namespace fluxeta::cases {

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

std::optional<DataFileLines> ReadDataFileLines(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    return std::nullopt;
  }
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    return std::nullopt;
  }

  DataFileLines lines;
  int line = 0;
  bool readFailed = false;
  char chunk[kReadChunkBytes];
  // Reads only as far as the fifteenth line end; the rest of the file is never looked at.
  while (line < kDataFileLineCount) {
    const ssize_t count = ::read(descriptor, chunk, sizeof chunk);
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      readFailed = true;
      break;
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
    }
  }
  ::close(descriptor);
  if (readFailed) {
    return std::nullopt;
  }
  return lines;
}

std::optional<std::string> ApplyDataFileLines(const DataFileLines& lines, std::string_view path,
                                              BoxTexts& boxes,
                                              const std::array<bool, 16>& enabled) {
  // Every line is checked before any box changes, so a refused file leaves the boxes alone.
  std::array<std::string, kDataFileLineCount> values;
  for (int line = 0; line < kDataFileLineCount; ++line) {
    auto value = ValueText(lines[line]);
    if (!value) {
      return messages::NotACorrectDataFileMessage(path);
    }
    values[line] = std::move(*value);
  }
  for (int line = 0; line < kDataFileLineCount; ++line) {
    const int box = kInputs[line].box;
    if (enabled[box - 1]) {
      boxes.Edit(box) = values[line];
    }
  }
  return std::nullopt;
}

}  // namespace fluxeta::cases
