// The result file held by one run from its first section to its last, so that no other
// run can write into it meanwhile and no section is ever added to a stranger's file.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

namespace fluxeta::run {

// Why a file could not be opened, or was no longer the run's own: empty when it was.
using OpenFailure = std::string;

class ClaimedFile {
 public:
  ClaimedFile() = default;
  // Closes the file, which lets it go for other runs.
  ~ClaimedFile();
  ClaimedFile(const ClaimedFile&) = delete;
  ClaimedFile& operator=(const ClaimedFile&) = delete;

  // Opens the file by its name exactly as given (relative names against the current
  // directory), creating it when missing, takes an exclusive advisory lock on it without
  // waiting, cuts it to zero length and writes `bytes`. A file locked by another run
  // counts as one that cannot be opened, like an empty name, a name the platform refuses
  // (too long, or with a NUL byte) or cannot resolve, a directory or no permission: the
  // failure is returned, having changed nothing. A write that fails after the open
  // raises InputOutputError; the file keeps what reached it. The file stays open, and
  // locked, until this object ends.
  OpenFailure Create(const std::string& name, std::string_view bytes);

  // Opens the file of that name again for appending and writes `bytes` at its end, once
  // it is sure to be the file Create wrote, holding exactly what Create wrote there (a
  // device is only checked to be the same one). Returns the failure, having written
  // nothing, when the file cannot be opened (also when it is missing) or is not that file
  // any more. A write or close that fails after the open raises InputOutputError.
  OpenFailure Append(const std::string& name, std::string_view bytes) const;

 private:
  // True when the open file `descriptor` is this one with only the created bytes.
  bool HoldsOnlyTheCreatedBytes(int descriptor) const;

  int descriptor_ = -1;
  bool readable_ = false;
  std::string created_;  // the bytes written by Create
};

}  // namespace fluxeta::run
