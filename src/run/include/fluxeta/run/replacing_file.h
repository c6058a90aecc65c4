// An output file written whole under a temporary name in its directory and renamed into
// place once complete: until then the file of that name keeps what it held, and a
// failure or an interruption leaves no part of the new content under it. Every front
// writes its outputs so: result files of designs and scripts, study CSVs, histories,
// the workbench's exports.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace fluxeta::run {

class ReplacingFile {
 public:
  // Creates the temporary file next to `path` (next to the file a symbolic link names,
  // so that the link stays), exclusively and under a name of its own, with the
  // permissions of the file it replaces. A device or a pipe, which cannot be replaced,
  // is written directly. Check Failed().
  explicit ReplacingFile(const std::string& path);
  // Removes the temporary file unless Commit succeeded.
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // False after the first failed operation; Write and Commit then do nothing.
  bool Failed() const { return errorNumber_ != 0; }
  // True when the failure was in creating the file, before any byte was written.
  bool FailedToOpen() const { return Failed() && !opened_; }
  // "cannot VERB 'PATH': reason" for the failed operation.
  const std::string& FailureMessage() const { return failure_; }

  // Appends every byte; false when a write fails.
  bool Write(std::string_view bytes);
  // Flushes, closes and renames the file into place; false when any of it fails.
  bool Commit();

  // Commits the files together: every one is flushed and closed before any is renamed,
  // and no interruption falls between the renames. False, leaving each old file as it
  // was, when one fails before the renames.
  static bool CommitTogether(std::initializer_list<ReplacingFile*> files);

 private:
  // Flushes the bytes to the disk and closes the file.
  bool Finish();
  // Renames the finished temporary file into place.
  bool Rename();
  void Fail(const char* verb, int errorNumber);
  void RemoveTemporary();

  std::string shownPath_;  // as given, for messages
  std::string path_;       // the final name
  std::string temporary_;  // empty when written directly
  int unfinished_ = -1;    // the handle that has an interruption remove the temporary file
  int descriptor_ = -1;
  int errorNumber_ = 0;
  std::string failure_;
  bool opened_ = false;
  bool committed_ = false;
};

// Writes `bytes` as the whole of the file `path`; the failure message, or empty.
std::string WriteWholeFile(const std::string& path, std::string_view bytes);

}  // namespace fluxeta::run
