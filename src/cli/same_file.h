// Whether two names lead to one file, whatever links and relative paths lie between.
#pragma once

#include <string>

namespace fluxeta::cli {

// True when both names exist and are the same file (device and inode).
bool IsSameFile(const std::string& first, const std::string& second);

// True when both names are the same file, or would be once created: the same file, or the
// same path once links and relative parts are resolved.
bool NameTheSameFile(const std::string& first, const std::string& second);

}  // namespace fluxeta::cli
