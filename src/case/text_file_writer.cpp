#include "case/text_file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "case/errors.h"
#include "case/io_error_code.h"

namespace fluxeta::cases {

namespace {

// Read and write for everybody, less the user's umask, as for any new document.
constexpr mode_t kNewFilePermissions = 0666;

[[noreturn]] void RaiseInputOutputError(int errorNumber) {
  throw InputOutputError(InputOutputErrorCode(errorNumber));
}

int OpenFlags(WriteMode mode) {
  switch (mode) {
    case WriteMode::CreateOrTruncate:
      return O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    case WriteMode::AppendToExisting:
      return O_WRONLY | O_APPEND | O_CLOEXEC;
  }
  return O_WRONLY | O_CLOEXEC;
}

// Writes every byte, going on after partial writes and interruptions; the errno of a
// failure, or 0.
int WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (written == 0) {
      // A regular file never takes nothing without saying why; treat it as a device fault.
      return EIO;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

}  // namespace

bool WriteToFile(const std::string& name, WriteMode mode, std::string_view bytes) {
  // A NUL byte would cut the name short at the system call: refuse it rather than open
  // another file.
  if (name.empty() || name.find('\0') != std::string::npos) {
    return false;
  }
  int descriptor;
  do {
    descriptor = ::open(name.c_str(), OpenFlags(mode), kNewFilePermissions);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    return false;
  }
  const int writeError = WriteAll(descriptor, bytes);
  // Closed before the error is raised, so that a failed write leaves no open file behind.
  const int closeResult = ::close(descriptor);
  const int closeError = closeResult < 0 && errno != EINTR ? errno : 0;
  if (writeError != 0) {
    RaiseInputOutputError(writeError);
  }
  if (closeError != 0) {
    RaiseInputOutputError(closeError);
  }
  return true;
}

}  // namespace fluxeta::cases
