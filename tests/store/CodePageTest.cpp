#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include "platform/OsCodes.h"
#include "store/TextFold.h"

namespace {

class Windows1252 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CodePageIsWindows1252()) GTEST_SKIP() << "the ANSI code page is not Windows-1252";
  }
};

TEST_F(Windows1252, EveryByteRoundTrips) {
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_EQ(EncodeSingleByte(DecodeSingleByte(all)), all);
  EXPECT_EQ(DecodeSingleByte("\x80\x9f\xe9"), u"\u20ac\u0178\u00e9");
}

TEST_F(Windows1252, WhatItCannotHoldBecomesOneQuestionMarkACharacter) {
  EXPECT_EQ(EncodeSingleByte(u"a\u65e5b\U0001F600c"), "a?b?c");
  EXPECT_FALSE(CodePageHoldsExactly(u"/home/\u65e5"));
  EXPECT_TRUE(CodePageHoldsExactly(u"/home/J\u00fcrgen \u20ac"));
}

TEST(CodePage, Utf8RoundTripsAndRepairsBadInput) {
  const std::u16string text = u"J\u00fcrgen \u20ac \U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf8ToUtf16("a\xff" "b"), u"a\ufffdb");
}

TEST(TextFold, ComparesIgnoringCaseInsideAndOutsideAscii) {
  EXPECT_TRUE(EqualIgnoringCase(u"06:05:03 pm", u"06:05:03 PM"));
  EXPECT_TRUE(EqualIgnoringCase(u"\u00c4rzte \u0152", u"\u00e4RZTE \u0153"));
  EXPECT_FALSE(EqualIgnoringCase(u"ab", u"abc"));
  if (!CodePageIsWindows1252()) return;
  const ByteFold& fold = ByteFold::ForCodePage();
  EXPECT_TRUE(fold.Equal("\xc4PM \x8a", "\xe4pm \x9a"));  // Ä/ä, Š/š
  EXPECT_FALSE(fold.Equal("AM", "PM"));
}

}  // namespace
