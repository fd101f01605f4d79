#include <gtest/gtest.h>

#include "entry/QuickReminder.h"

namespace {

TEST(FilterMinuteKeyTest, DropsLettersOnly) {
  for (int c = 0; c < 128; ++c) {
    const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    EXPECT_EQ(FilterMinuteKey(c), letter ? 0 : c) << c;
  }
  EXPECT_EQ(FilterMinuteKey(0xE9), 0xE9);  // only the ASCII letters are named
}

TEST(ReadQuickMinutesTest, TakesWholeNumbersFromZeroToNinetyNine) {
  EXPECT_EQ(ReadQuickMinutes(u"0"), 0);
  EXPECT_EQ(ReadQuickMinutes(u"07"), 7);
  EXPECT_EQ(ReadQuickMinutes(u"99"), 99);
  EXPECT_EQ(ReadQuickMinutes(u" 5"), 5);
  for (std::u16string_view bad : {u"", u" ", u"-1", u"+5", u"1.", u".5", u"1,", u"100", u"5a", u"x"})
    EXPECT_FALSE(ReadQuickMinutes(bad)) << std::string(bad.begin(), bad.end());
}

struct QuickCase {
  int hour, minute;
  std::u16string minutes;
  QuickTime expected;
};

class QuickReminderTimeTest : public ::testing::TestWithParam<QuickCase> {};

TEST_P(QuickReminderTimeTest, CarriesIntoHoursAndDays) {
  const QuickCase& c = GetParam();
  EXPECT_EQ(QuickReminderTime(c.hour, c.minute, c.minutes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, QuickReminderTimeTest,
    ::testing::Values(QuickCase{10, 15, u"5", {u"10", u"20", u"0", 0}},
                      QuickCase{10, 58, u"5", {u"11", u"3", u"0", 0}},
                      QuickCase{9, 0, u"5", {u"9", u"5", u"0", 0}},
                      QuickCase{10, 15, u"0", {u"10", u"15", u"0", 0}},
                      QuickCase{10, 59, u"99", {u"12", u"38", u"0", 0}},
                      QuickCase{23, 0, u"60", {u"0", u"0", u"0", 1}},
                      QuickCase{23, 58, u"5", {u"0", u"3", u"0", 1}},
                      QuickCase{23, 59, u"99", {u"1", u"38", u"0", 1}},
                      QuickCase{22, 30, u"89", {u"23", u"59", u"0", 0}}));

TEST(QuickReminderTimeTest, RefusesMinutesThatAreNoWholeNumber) {
  EXPECT_FALSE(QuickReminderTime(10, 15, u"1."));
  EXPECT_FALSE(QuickReminderTime(10, 15, u""));
  EXPECT_FALSE(QuickReminderTime(10, 15, u"-5"));
}

}  // namespace
