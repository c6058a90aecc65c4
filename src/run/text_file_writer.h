// Writing a section of text to a file in one open-write-close.
#pragma once

#include <string>
#include <string_view>

namespace fluxeta::cases {

enum class WriteMode {
  CreateOrTruncate,  // a new file, or an existing one holding these bytes alone afterwards
  AppendToExisting,  // an existing file, written at its end
};

// Opens the file by its name exactly as given (relative names against the current
// directory), writes `bytes` and closes it. Returns false, having changed nothing, when
// the file cannot be opened: an empty name, a name the platform refuses (too long, or with
// a NUL byte) or cannot resolve, a directory, no permission, or for AppendToExisting a
// missing file. A write or close that fails after the open raises InputOutputError; the
// file keeps what reached it.
bool WriteToFile(const std::string& name, WriteMode mode, std::string_view bytes);

}  // namespace fluxeta::cases
