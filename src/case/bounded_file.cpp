#include "bounded_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fluxeta/base/quoted_text.h"
#include "fluxeta/case/document_error.h"

namespace fluxeta::cases {

namespace {

constexpr std::size_t kReadChunkBytes = 1 << 16;

class Descriptor {
 public:
  explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
  ~Descriptor() {
    if (descriptor_ >= 0) {
      ::close(descriptor_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

}  // namespace

std::string ReadBoundedFile(const std::filesystem::path& path, std::size_t mostBytes,
                            const std::string& kind, const std::string& shownName) {
  const auto refuse = [&](const std::string& reason) {
    return DocumentError(kind + " '" + base::ShortQuote(shownName) + "': " + reason);
  };
  const std::string name = path.string();
  if (name.empty() || name.find('\0') != std::string::npos) {
    throw refuse(std::strerror(ENOENT));
  }
  int opened;
  do {
    opened = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
  } while (opened < 0 && errno == EINTR);
  if (opened < 0) {
    throw refuse(std::strerror(errno));
  }
  const Descriptor file(opened);
  struct stat status {};
  if (::fstat(file.get(), &status) == 0 && S_ISDIR(status.st_mode)) {
    throw refuse(std::strerror(EISDIR));
  }
  std::string bytes;
  char chunk[kReadChunkBytes];
  while (true) {
    const ssize_t count = ::read(file.get(), chunk, sizeof chunk);
    if (count < 0) {
      if (errno == EINTR) {
        continue;
      }
      throw refuse(std::strerror(errno));
    }
    if (count == 0) {
      return bytes;
    }
    if (bytes.size() + static_cast<std::size_t>(count) > mostBytes) {
      throw refuse("larger than " + std::to_string(mostBytes >> 20) + " MiB");
    }
    bytes.append(chunk, static_cast<std::size_t>(count));
  }
}

}  // namespace fluxeta::cases
