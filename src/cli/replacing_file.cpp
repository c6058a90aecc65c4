#include "replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "fluxeta/base/quoted_text.h"
#include "interruption.h"

namespace fluxeta::cli {

namespace {

// Read and write for everybody, less the user's umask, as for any new document.
constexpr mode_t kNewFilePermissions = 0666;
constexpr std::string_view kTemporarySuffix = ".XXXXXX";  // mkstemp's pattern

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

// The file a symbolic link names, so that the link stays and its file is replaced.
std::string ResolvedTarget(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) {
    return path;
  }
  const auto target = std::filesystem::weakly_canonical(path, error);
  return error ? path : target.string();
}

// ".NAME.XXXXXX" in the directory of `target`: the same file system, so the rename is
// atomic, and hidden from a plain listing.
std::string TemporaryPattern(const std::string& target) {
  const std::filesystem::path path(target);
  std::string pattern = path.parent_path().string();
  if (!pattern.empty()) {
    pattern += '/';
  }
  pattern += '.';
  pattern += path.filename().string();
  pattern += kTemporarySuffix;
  return pattern;
}

}  // namespace

ReplacingFile::ReplacingFile(const std::string& path)
    : shownPath_(path), path_(ResolvedTarget(path)) {
  if (path_.empty() || path_.find('\0') != std::string::npos) {
    Fail("open output file", path, ENOENT);
    return;
  }
  struct stat existing;
  const bool exists = ::stat(path_.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    Fail("open output file", path, EISDIR);
    return;
  }
  if (exists && !S_ISREG(existing.st_mode)) {
    do {
      descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
    } while (descriptor_ < 0 && errno == EINTR);
    if (descriptor_ < 0) {
      Fail("open output file", path, errno);
    }
    return;
  }

  const mode_t permissions =
      exists ? existing.st_mode & 07777 : kNewFilePermissions & ~CurrentUmask();
  std::string temporary = TemporaryPattern(path_);
  {
    const InterruptionsBlocked blocked;
    descriptor_ = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor_ < 0) {
      Fail("open output file", path, errno);
      return;
    }
    temporary_ = temporary;
    SetFileRemovedOnInterruption(temporary_);
  }
  if (::fchmod(descriptor_, permissions) != 0) {
    Fail("open output file", shownPath_, errno);
  }
}

ReplacingFile::~ReplacingFile() {
  if (descriptor_ >= 0) {
    ::close(descriptor_);
  }
  if (!committed_) {
    RemoveTemporary();
  }
}

bool ReplacingFile::Write(std::string_view bytes) {
  while (!Failed() && !bytes.empty()) {
    const ssize_t count = ::write(descriptor_, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) {
      continue;
    }
    if (count <= 0) {
      Fail("write output file", shownPath_, count < 0 ? errno : EIO);
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return !Failed();
}

bool ReplacingFile::Commit() {
  if (Failed()) {
    return false;
  }
  // On disk before the rename, so that a crash of the machine cannot leave an empty file
  // under the final name either. A device or a pipe has nothing to flush.
  if (!temporary_.empty() && ::fsync(descriptor_) != 0) {
    Fail("write output file", shownPath_, errno);
    return false;
  }
  const int closed = ::close(descriptor_);
  descriptor_ = -1;
  if (closed != 0 && errno != EINTR) {
    Fail("write output file", shownPath_, errno);
    return false;
  }
  if (temporary_.empty()) {
    committed_ = true;
    return true;
  }
  const InterruptionsBlocked blocked;
  if (::rename(temporary_.c_str(), path_.c_str()) != 0) {
    Fail("replace output file", shownPath_, errno);
    return false;
  }
  committed_ = true;
  SetFileRemovedOnInterruption("");
  return true;
}

void ReplacingFile::Fail(const char* verb, const std::string& path, int errorNumber) {
  errorNumber_ = errorNumber;
  failure_ = std::string("cannot ") + verb + " '" + base::ShortQuote(path) +
             "': " + std::strerror(errorNumber);
}

void ReplacingFile::RemoveTemporary() {
  if (temporary_.empty()) {
    return;
  }
  const InterruptionsBlocked blocked;
  ::unlink(temporary_.c_str());
  SetFileRemovedOnInterruption("");
  temporary_.clear();
}

}  // namespace fluxeta::cli
