#include "fluxeta/base/quoted_text.h"

namespace fluxeta::base {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";  // U+2026 in UTF-8
constexpr std::size_t kEndBytes = (kMostQuotedBytes - kEllipsis.size()) / 2;

bool IsUtf8Continuation(char byte) {
  return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

}  // namespace

std::string ShortQuote(std::string_view text) {
  if (text.size() <= kMostQuotedBytes) {
    return std::string(text);
  }
  // Both cuts move towards the ellipsis until they fall between two characters.
  std::size_t headEnd = kEndBytes;
  while (headEnd > 0 && IsUtf8Continuation(text[headEnd])) {
    --headEnd;
  }
  std::size_t tailStart = text.size() - kEndBytes;
  while (tailStart < text.size() && IsUtf8Continuation(text[tailStart])) {
    ++tailStart;
  }
  std::string shortened(text.substr(0, headEnd));
  shortened += kEllipsis;
  shortened += text.substr(tailStart);
  return shortened;
}

}  // namespace fluxeta::base
