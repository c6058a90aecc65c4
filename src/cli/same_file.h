// Whether two names lead to one file, whatever links and relative paths lie between.
#pragma once

#include <string>

namespace fluxeta::cli {

// True when both names exist and are the same file (device and inode).
bool IsSameFile(const std::string& first, const std::string& second);

}  // namespace fluxeta::cli
