// Texts quoted in command-line messages and CSV cells.
#include "fluxeta/base/quoted_text.h"

#include <gtest/gtest.h>

#include <string>

namespace fluxeta::base {
namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

TEST(ShortQuote, KeepsATextOfAFewHundredBytesWhole) {
  const std::string text(kMostQuotedBytes, 'a');
  EXPECT_EQ(ShortQuote(text), text);
  EXPECT_EQ(ShortQuote(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(ShortQuote, ShowsTheTwoEndsOfALongerTextAroundAnEllipsis) {
  const std::string text = "<" + std::string(kMostQuotedBytes, 'a') + ">";
  const std::string shortened = ShortQuote(text);
  EXPECT_LE(shortened.size(), kMostQuotedBytes);
  EXPECT_EQ(shortened,
            "<" + std::string(147, 'a') + std::string(kEllipsis) + std::string(147, 'a') + ">");
}

TEST(ShortQuote, CutsBetweenUtf8Characters) {
  std::string text;
  while (text.size() <= kMostQuotedBytes) {
    text += "\xCE\xB3";  // γ, two bytes
  }
  text += "x";
  const std::string shortened = ShortQuote(text);
  const std::size_t ellipsis = shortened.find(kEllipsis);
  ASSERT_NE(ellipsis, std::string::npos);
  EXPECT_EQ(ellipsis % 2, 0u);
  EXPECT_EQ(shortened.substr(0, 2), "\xCE\xB3");
  EXPECT_EQ(shortened.substr(ellipsis + kEllipsis.size(), 2), "\xCE\xB3");
  EXPECT_TRUE(shortened.ends_with("\xCE\xB3x"));
}

}  // namespace
}  // namespace fluxeta::base
