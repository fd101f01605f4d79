#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/OsCodes.h"
#include "store/DateKey.h"
#include "store/ReminderRecord.h"
#include "store/TextFold.h"

namespace {

TEST(CodePage, Utf8RoundTripsAndRepairsBadInputAndEveryByteRoundTripsAndTheRestBecomesQuestionMarks) {
  const std::u16string text = u"J\u00fcrgen \u20ac \U0001F600";
  EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
  EXPECT_EQ(Utf8ToUtf16("a\xff"
                        "b"),
            u"a\ufffdb");
  if (!CodePageIsWindows1252()) GTEST_SKIP() << "the ANSI code page is not Windows-1252";
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_EQ(EncodeSingleByte(DecodeSingleByte(all)), all);
  EXPECT_EQ(DecodeSingleByte("\x80\x9f\xe9"), u"\u20ac\u0178\u00e9");
  EXPECT_EQ(EncodeSingleByte(u"a\u65e5b\U0001F600c"), "a?b?c");
  EXPECT_TRUE(!CodePageHoldsExactly(u"/home/\u65e5") && CodePageHoldsExactly(u"/home/J\u00fcrgen \u20ac"));
}

TEST(TextFold, ComparesIgnoringCaseInsideAndOutsideAscii) {
  EXPECT_TRUE(EqualIgnoringCase(u"06:05:03 pm", u"06:05:03 PM"));
  EXPECT_TRUE(EqualIgnoringCase(u"\u00c4rzte \u0152", u"\u00e4RZTE \u0153"));
  EXPECT_FALSE(EqualIgnoringCase(u"ab", u"abc"));
  if (!CodePageIsWindows1252()) return;
  const ByteFold& fold = ByteFold::ForCodePage();
  EXPECT_TRUE(fold.Equal("\xc4PM \x8a", "\xe4pm \x9a") && !fold.Equal("AM", "PM"));  // Ä/ä, Š/š
}

using KeyCase = std::tuple<std::string, std::string, bool>;  // key, stored Date field, matches

class DateKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(DateKeyTest, MatchesAStoredDateIgnoringCaseAndPadding) {
  const auto& [key, field, matches] = GetParam();
  const RecordBytes record = EncodeRecord(MakeRecord(u"", DecodeSingleByte(field), u"", u""));
  EXPECT_EQ(DateKey(key).Matches(RecordView(record.data())), matches);
}

INSTANTIATE_TEST_SUITE_P(Keys, DateKeyTest,
                         ::testing::Values(KeyCase{"12/06/2026", "12/06/2026", true},
                                           KeyCase{"6/12/26", "6/12/26", true}, KeyCase{"6/12/26", "  6/12/26", true},
                                           KeyCase{"6-dec-26", "6-DEC-26", true},
                                           KeyCase{"12/06/2026", "12/06/202", false},
                                           KeyCase{"6/12/26", "6/12/26 x", false},
                                           KeyCase{"6/12/26", "6/12/2", false}));

}  // namespace
