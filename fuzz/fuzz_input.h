// Taking typed values off the front of a fuzzer's input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace fluxeta::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : rest_(reinterpret_cast<const char*>(data), size) {}

  // The next value's bytes, zeros where the input has run out.
  template <typename Value>
  Value Take() {
    Value value{};
    const std::size_t count = std::min(sizeof value, rest_.size());
    std::memcpy(&value, rest_.data(), count);
    rest_.remove_prefix(count);
    return value;
  }

  // Everything not taken yet.
  std::string_view Rest() const { return rest_; }

 private:
  std::string_view rest_;
};

}  // namespace fluxeta::fuzz
