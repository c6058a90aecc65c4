#include "fluxeta/run/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/run/unfinished_files.h"

namespace fluxeta::run {

namespace {

// Read and write for everybody, less the user's umask, as for any new document.
constexpr mode_t kNewFilePermissions = 0666;
constexpr mode_t kPermissionBits = 07777;
constexpr std::string_view kTemporarySuffix = ".XXXXXX";  // mkstemp's pattern

mode_t CurrentUmask() {
  // umask can only be read by setting it; the process's threads that create files all
  // come here or open with the umask they would see anyway.
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
    Fail("open output file", ENOENT);
    return;
  }
  struct stat existing;
  const bool exists = ::stat(path_.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) {
    Fail("open output file", EISDIR);
    return;
  }
  if (exists && !S_ISREG(existing.st_mode)) {
    do {
      descriptor_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC);
    } while (descriptor_ < 0 && errno == EINTR);
    if (descriptor_ < 0) {
      Fail("open output file", errno);
      return;
    }
    opened_ = true;
    return;
  }

  const mode_t permissions =
      exists ? existing.st_mode & kPermissionBits : kNewFilePermissions & ~CurrentUmask();
  std::string temporary = TemporaryPattern(path_);
  {
    const InterruptionsHeld held;
    // mkostemp creates the file with O_EXCL under a name no other writer holds.
    descriptor_ = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (descriptor_ < 0) {
      Fail("open output file", errno);
      return;
    }
    temporary_ = temporary;
    unfinished_ = RememberUnfinishedFile(temporary_);
  }
  if (::fchmod(descriptor_, permissions) != 0) {
    Fail("open output file", errno);
    return;
  }
  opened_ = true;
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
      Fail("write output file", count < 0 ? errno : EIO);
      break;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return !Failed();
}

bool ReplacingFile::Finish() {
  if (Failed()) {
    return false;
  }
  // On disk before the rename, so that a crash of the machine cannot leave an empty file
  // under the final name either. A device or a pipe has nothing to flush.
  if (!temporary_.empty() && ::fsync(descriptor_) != 0) {
    Fail("write output file", errno);
    return false;
  }
  const int closed = ::close(descriptor_);
  descriptor_ = -1;
  if (closed != 0 && errno != EINTR) {
    Fail("write output file", errno);
    return false;
  }
  return true;
}

bool ReplacingFile::Rename() {
  if (!temporary_.empty() && ::rename(temporary_.c_str(), path_.c_str()) != 0) {
    Fail("replace output file", errno);
    return false;
  }
  committed_ = true;
  ForgetUnfinishedFile(unfinished_);
  unfinished_ = -1;
  return true;
}

bool ReplacingFile::Commit() {
  return CommitTogether({this});
}

bool ReplacingFile::CommitTogether(std::initializer_list<ReplacingFile*> files) {
  for (ReplacingFile* file : files) {
    if (!file->Finish()) {
      return false;
    }
  }
  const InterruptionsHeld held;
  for (ReplacingFile* file : files) {
    if (!file->Rename()) {
      return false;
    }
  }
  return true;
}

void ReplacingFile::Fail(const char* verb, int errorNumber) {
  errorNumber_ = errorNumber;
  failure_ = std::string("cannot ") + verb + " '" + base::ShortQuote(shownPath_) +
             "': " + std::strerror(errorNumber);
}

void ReplacingFile::RemoveTemporary() {
  if (temporary_.empty()) {
    return;
  }
  const InterruptionsHeld held;
  ::unlink(temporary_.c_str());
  ForgetUnfinishedFile(unfinished_);
  unfinished_ = -1;
  temporary_.clear();
}

std::string WriteWholeFile(const std::string& path, std::string_view bytes) {
  ReplacingFile file(path);
  if (file.Failed() || !file.Write(bytes) || !file.Commit()) {
    return file.FailureMessage();
  }
  return {};
}

}  // namespace fluxeta::run
