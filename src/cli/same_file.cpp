#include "same_file.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

namespace fluxeta::cli {

bool IsSameFile(const std::string& first, const std::string& second) {
  struct stat firstStatus;
  struct stat secondStatus;
  return ::stat(first.c_str(), &firstStatus) == 0 && ::stat(second.c_str(), &secondStatus) == 0 &&
         firstStatus.st_dev == secondStatus.st_dev && firstStatus.st_ino == secondStatus.st_ino;
}

bool NameTheSameFile(const std::string& first, const std::string& second) {
  if (IsSameFile(first, second)) {
    return true;
  }
  std::error_code firstError;
  std::error_code secondError;
  // Made absolute first: a name of which no part exists comes back as written. The part
  // past the last name that exists is taken as written.
  const auto resolved = [](const std::string& name, std::error_code& error) {
    return std::filesystem::weakly_canonical(std::filesystem::absolute(name, error), error)
        .lexically_normal();
  };
  const auto firstPath = resolved(first, firstError);
  const auto secondPath = resolved(second, secondError);
  return !firstError && !secondError && firstPath == secondPath;
}

}  // namespace fluxeta::cli
