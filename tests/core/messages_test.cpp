#include "fluxeta/base/messages.h"

#include <gtest/gtest.h>

namespace fluxeta::base {
namespace {

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterATextEndingAboveIt) {
  EXPECT_EQ(messages::ErrorBoxText(ConversionError("abc").what()),
            "'abc' は浮動小数点数ではありません.");
  EXPECT_EQ(messages::ErrorBoxText(InputOutputError(7).what()), "I/O エラー (7)");
  EXPECT_EQ(messages::ErrorBoxText("ends."), "ends.");
  EXPECT_EQ(messages::ErrorBoxText(""), "");
  EXPECT_EQ(messages::ErrorBoxText("x-"), "x-");
}

TEST(ErrorMessages, CarryTheSystemTexts) {
  EXPECT_STREQ(ConversionError("").what(), "'' は浮動小数点数ではありません");
  EXPECT_STREQ(FloatingPointError(FloatingPointFault::DivisionByZero).what(),
               "0 による浮動小数点数除算");
  EXPECT_STREQ(FloatingPointError(FloatingPointFault::InvalidOperation).what(),
               "不正な浮動小数点数演算命令");
  EXPECT_STREQ(FloatingPointError(FloatingPointFault::Overflow).what(),
               "浮動小数点数のオーバーフロー");
  EXPECT_STREQ(InputOutputError(101).what(), "ディスクがいっぱいです");
  EXPECT_STREQ(InputOutputError(2).what(), "ファイルが見つかりません");
  EXPECT_STREQ(InputOutputError(5).what(), "ファイルへのアクセスが拒否されました");
}

}  // namespace
}  // namespace fluxeta::base
