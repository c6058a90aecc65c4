// An output file written whole under a temporary name in its directory and renamed into
// place once complete: until then the file of that name keeps what it held, and a
// failure or an interruption leaves no part of the new content under it.
#pragma once

#include <string>
#include <string_view>

namespace fluxeta::cli {

class ReplacingFile {
 public:
  // Creates the temporary file next to `path` (next to the file a symbolic link names).
  // A device or a pipe, which cannot be replaced, is written directly. Check Failed().
  explicit ReplacingFile(const std::string& path);
  // Removes the temporary file unless Commit succeeded.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // False after the first failed operation; Write and Commit then do nothing.
  bool Failed() const { return errorNumber_ != 0; }
  // "cannot VERB 'PATH': reason" for the failed operation.
  const std::string& FailureMessage() const { return failure_; }

  // Appends every byte; false when a write fails.
  bool Write(std::string_view bytes);
  // Flushes, closes and renames the file into place; false when any of it fails.
  bool Commit();

 private:
  void Fail(const char* verb, const std::string& path, int errorNumber);
  void RemoveTemporary();

  std::string shownPath_;  // as given, for messages
  std::string path_;       // the final name
  std::string temporary_;  // empty when written directly
  int descriptor_ = -1;
  int errorNumber_ = 0;
  std::string failure_;
  bool committed_ = false;
};

}  // namespace fluxeta::cli
