#include <gtest/gtest.h>

#include "entry/QuickReminder.h"

namespace {

TEST(FilterMinuteKeyTest, DropsTheAsciiLettersOnly) {
  for (int letter : {'a', 'q', 'z', 'A', 'Z'}) EXPECT_EQ(FilterMinuteKey(letter), 0) << letter;
  // The neighbours of the letter ranges, digits, blanks, control keys and other letters pass.
  for (int other : std::initializer_list<int>{'@', '[', '`', '{', '0', '9', '-', ' ', '\b', 0xE9})
    EXPECT_EQ(FilterMinuteKey(other), other) << other;
}

TEST(ReadQuickMinutesTest, TakesWholeNumbersFromZeroToNinetyNine) {
  for (auto [text, minutes] : {std::pair{u"0", 0}, {u"07", 7}, {u"99", 99}, {u" 5", 5}})
    EXPECT_EQ(ReadQuickMinutes(text), minutes);
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
  EXPECT_EQ(QuickReminderTime(GetParam().hour, GetParam().minute, GetParam().minutes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Moments, QuickReminderTimeTest,
                         ::testing::Values(QuickCase{10, 58, u"5", {u"11", u"3", u"0", 0}},
                                           QuickCase{10, 15, u"0", {u"10", u"15", u"0", 0}},
                                           QuickCase{10, 59, u"99", {u"12", u"38", u"0", 0}},
                                           QuickCase{23, 0, u"60", {u"0", u"0", u"0", 1}},
                                           QuickCase{23, 59, u"99", {u"1", u"38", u"0", 1}},
                                           QuickCase{22, 30, u"89", {u"23", u"59", u"0", 0}}));

}  // namespace
