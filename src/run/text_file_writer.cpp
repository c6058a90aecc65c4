#include "fluxeta/run/text_file_writer.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fluxeta/base/errors.h"
#include "fluxeta/base/io_error_code.h"

namespace fluxeta::run {

namespace {

// Read and write for everybody, less the user's umask, as for any new document.
constexpr mode_t kNewFilePermissions = 0666;
constexpr std::string_view kLockedByAnotherProgram = "locked by another program";
constexpr std::string_view kNoLongerThisRunsFile =
    "no longer the file this run wrote its input section to";

[[noreturn]] void RaiseInputOutputError(int errorNumber) {
  throw base::InputOutputError(base::InputOutputErrorCode(errorNumber));
}

int OpenRetrying(const std::string& name, int flags) {
  int descriptor;
  do {
    descriptor = ::open(name.c_str(), flags, kNewFilePermissions);
  } while (descriptor < 0 && errno == EINTR);
  return descriptor;
}

// Writes every byte, going on after partial writes and interruptions; the errno of a
// failure, or 0.
int WriteAll(int descriptor, std::string_view bytes) {
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
  }
  return 0;
}

// Reads `size` bytes from the start of the file; false when they cannot all be read.
bool ReadFromStart(int descriptor, std::string& bytes, std::size_t size) {
  bytes.resize(size);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t count =
        ::pread(descriptor, bytes.data() + done, size - done, static_cast<off_t>(done));
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      return false;
    }
    done += static_cast<std::size_t>(count);
  }
  return true;
}

bool IsRegularFile(int descriptor) {
  struct stat status;
  return ::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode);
}

// Closes the descriptor; the errno of a failed close, or 0.
int CloseChecked(int descriptor) {
  return ::close(descriptor) < 0 && errno != EINTR ? errno : 0;
}

}  // namespace

ClaimedFile::~ClaimedFile() {
  if (descriptor_ >= 0) {
    ::close(descriptor_);
  }
}

OpenFailure ClaimedFile::Create(const std::string& name, std::string_view bytes) {
  // A NUL byte would cut the name short at the system call: refuse it rather than open
  // another file.
  if (name.empty() || name.find('\0') != std::string::npos) {
    return std::strerror(ENOENT);
  }
  // Read access too, to check the file before the result section; a file that may only
  // be written is checked by its identity and length.
  int descriptor = OpenRetrying(name, O_RDWR | O_CREAT | O_CLOEXEC);
  readable_ = descriptor >= 0;
  if (descriptor < 0 && errno == EACCES) {
    descriptor = OpenRetrying(name, O_WRONLY | O_CREAT | O_CLOEXEC);
  }
  if (descriptor < 0) {
    return std::strerror(errno);
  }
  // The lock comes before the cut, so that a file another run is writing stays whole. A
  // file system without locks leaves the check before the result section alone on guard.
  if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
    ::close(descriptor);
    return std::string(kLockedByAnotherProgram);
  }
  // Cut to zero length before anything is written: whatever happens next, the file
  // never holds new inputs before old results. A device has no length to cut.
  if (IsRegularFile(descriptor)) {
    while (::ftruncate(descriptor, 0) != 0) {
      if (errno != EINTR) {
        const int error = errno;
        ::close(descriptor);
        return std::strerror(error);
      }
    }
  }
  if (descriptor_ >= 0) {
    ::close(descriptor_);
  }
  descriptor_ = descriptor;
  created_.clear();
  const int writeError = WriteAll(descriptor_, bytes);
  if (writeError != 0) {
    RaiseInputOutputError(writeError);
  }
  created_ = bytes;
  return {};
}

bool ClaimedFile::HoldsOnlyTheCreatedBytes(int descriptor) const {
  struct stat reopened;
  struct stat claimed;
  if (descriptor_ < 0 || ::fstat(descriptor, &reopened) != 0 ||
      ::fstat(descriptor_, &claimed) != 0 || reopened.st_dev != claimed.st_dev ||
      reopened.st_ino != claimed.st_ino) {
    return false;
  }
  if (!S_ISREG(claimed.st_mode)) {
    return true;
  }
  if (static_cast<std::size_t>(claimed.st_size) != created_.size()) {
    return false;
  }
  std::string content;
  return !readable_ ||
         (ReadFromStart(descriptor_, content, created_.size()) && content == created_);
}

OpenFailure ClaimedFile::Append(const std::string& name, std::string_view bytes) const {
  if (name.empty() || name.find('\0') != std::string::npos) {
    return std::strerror(ENOENT);
  }
  const int descriptor = OpenRetrying(name, O_WRONLY | O_APPEND | O_CLOEXEC);
  if (descriptor < 0) {
    return std::strerror(errno);
  }
  if (!HoldsOnlyTheCreatedBytes(descriptor)) {
    ::close(descriptor);
    return std::string(kNoLongerThisRunsFile);
  }
  const int writeError = WriteAll(descriptor, bytes);
  // Closed before the error is raised, so that a failed write leaves no open file behind.
  const int closeError = CloseChecked(descriptor);
  if (writeError != 0) {
    RaiseInputOutputError(writeError);
  }
  if (closeError != 0) {
    RaiseInputOutputError(closeError);
  }
  return {};
}

}  // namespace fluxeta::run
