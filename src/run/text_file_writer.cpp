#include "run/text_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/errors.h"
#include "base/io_error_code.h"

namespace fluxeta::cases {

namespace {

// Read and write for everybody, less the user's umask, as for any new document.
constexpr mode_t kNewFilePermissions = 0666;

[[noreturn]] void RaiseInputOutputError(int errorNumber) {
  throw InputOutputError(InputOutputErrorCode(errorNumber));
}

// A file to be replaced is not cut to zero length at the open but written over from its
// start and then cut to the new length: the same file in the end, without the flush to
// disk that some file systems force on a file cut to zero and written again (ext4's
// auto_da_alloc), which alone takes longer than the whole run.
int OpenFlags(WriteMode mode) {
  switch (mode) {
    case WriteMode::CreateOrTruncate:
      return O_WRONLY | O_CREAT | O_CLOEXEC;
    case WriteMode::AppendToExisting:
      return O_WRONLY | O_APPEND | O_CLOEXEC;
  }
  return O_WRONLY | O_CLOEXEC;
}

// Writes every byte, going on after partial writes and interruptions, and counts what was
// written; the errno of a failure, or 0.
int WriteAll(int descriptor, std::string_view bytes, off_t& written) {
  written = 0;
  while (!bytes.empty()) {
    const ssize_t count = ::write(descriptor, bytes.data(), bytes.size());
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (count == 0) {
      // A regular file never takes nothing without saying why; treat it as a device fault.
      return EIO;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
    written += count;
  }
  return 0;
}

// Cuts a replaced file after the bytes written now, so that nothing of its old content
// stays behind, also after a failed write. Devices have no length to cut.
int CutAfter(int descriptor, off_t length) {
  struct stat status;
  if (::fstat(descriptor, &status) != 0) {
    return errno;
  }
  if (!S_ISREG(status.st_mode)) {
    return 0;
  }
  while (::ftruncate(descriptor, length) != 0) {
    if (errno != EINTR) {
      return errno;
    }
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
  off_t written = 0;
  int writeError = WriteAll(descriptor, bytes, written);
  if (mode == WriteMode::CreateOrTruncate) {
    const int cutError = CutAfter(descriptor, written);
    writeError = writeError != 0 ? writeError : cutError;
  }
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
