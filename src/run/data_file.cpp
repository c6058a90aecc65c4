#include "fluxeta/run/data_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

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

std::optional<std::string> ApplyDataFileLines(const DataFileLines& lines, std::string_view path,
                                              cases::BoxTexts& boxes,
                                              const std::array<bool, 16>& enabled) {
  // Every line is checked before any box changes, so a refused file leaves the boxes alone.
  std::array<std::string, kDataFileLineCount> values;
  for (int line = 0; line < kDataFileLineCount; ++line) {
    auto value = ValueText(lines[line]);
    if (!value) {
      return base::messages::NotACorrectDataFileMessage(path);
    }
    values[line] = std::move(*value);
  }
  for (int line = 0; line < kDataFileLineCount; ++line) {
    const int box = cases::kInputs[line].box;
    if (enabled[box - 1]) {
      boxes.Edit(box) = values[line];
    }
  }
  return std::nullopt;
}

}  // namespace fluxeta::run
