#include "standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace fluxeta::cli {

void ReserveStandardStreams() {
  for (const int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(stream, F_GETFD) < 0 && errno == EBADF) {
      // open takes the lowest free number, which is this one.
      ::open("/dev/null", O_RDONLY);
    }
  }
}

namespace {

// errno is cleared by the caller before its first write, so that it keeps the reason of
// whichever operation failed first.
bool Flushed(std::ostream& out, std::ostream& err) {
  out.flush();
  if (out) {
    return true;
  }
  const int reason = errno != 0 ? errno : EIO;
  err << "fluxeta-batch: cannot write standard output: " << std::strerror(reason) << '\n';
  return false;
}

}  // namespace

bool WriteStandardOutput(std::ostream& out, std::string_view text, std::ostream& err) {
  if (!out) {
    return false;
  }
  errno = 0;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return Flushed(out, err);
}

bool FlushStandardOutput(std::ostream& out, std::ostream& err) {
  if (!out) {
    return false;
  }
  errno = 0;
  return Flushed(out, err);
}

}  // namespace fluxeta::cli
