#include "os/CodePage.h"

#include <gtest/gtest.h>

#include <tuple>

#include "os/OsCodes.h"
#include "store/DateKey.h"
#include "store/ReminderRecord.h"
#include "store/TextFold.h"

namespace {

// Every byte round trips; characters outside the code page become question marks.
TEST(CodePage, Windows1252) {
  if (!CodePageIsWindows1252()) GTEST_SKIP() << "the ANSI code page is not Windows-1252";
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_EQ(EncodeSingleByte(DecodeSingleByte(all)), all);
  EXPECT_EQ(DecodeSingleByte("\x80\x9f\xe9"), u"\u20ac\u0178\u00e9");
  EXPECT_EQ(EncodeSingleByte(u"a\u65e5b\U0001F600c"), "a?b?c");
  const ByteFold& fold = ByteFold::ForCodePage();
  EXPECT_TRUE(fold.Equal("\xc4PM \x8a", "\xe4pm \x9a"));  // Ä/ä, Š/š
  EXPECT_FALSE(fold.Equal("AM", "PM"));
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
