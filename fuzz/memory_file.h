// A file in memory with a path, for the readers that open files by name.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <string>
#include <string_view>

namespace fluxeta::fuzz {

class MemoryFile {
 public:
  explicit MemoryFile(std::string_view bytes) : descriptor_(::memfd_create("fuzz", MFD_CLOEXEC)) {
    for (std::size_t done = 0; descriptor_ >= 0 && done < bytes.size();) {
      const ssize_t count = ::write(descriptor_, bytes.data() + done, bytes.size() - done);
      if (count <= 0) {
        break;
      }
      done += static_cast<std::size_t>(count);
    }
  }
  ~MemoryFile() { ::close(descriptor_); }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;

  std::string Path() const { return "/proc/self/fd/" + std::to_string(descriptor_); }

 private:
  int descriptor_;
};

}  // namespace fluxeta::fuzz
