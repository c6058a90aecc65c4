#include "same_file.h"

#include <sys/stat.h>

namespace fluxeta::cli {

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat firstStatus;
  struct stat secondStatus;
  return ::stat(first.c_str(), &firstStatus) == 0 && ::stat(second.c_str(), &secondStatus) == 0 &&
         firstStatus.st_dev == secondStatus.st_dev && firstStatus.st_ino == secondStatus.st_ino;
}

}  // namespace fluxeta::cli
