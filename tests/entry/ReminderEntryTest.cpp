#include <gtest/gtest.h>

#include "entry/ReminderEntry.h"
#include "platform/FixedForms.h"
#include "store/TempHome.h"

using namespace std::chrono;

namespace {

struct TimeCase {
  std::u16string hour, minute, second;
  bool inRange;
};

class TimeBoxesTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeBoxesTest, AcceptExactlyTheTimesOfADay) {
  const TimeCase& c = GetParam();
  EXPECT_EQ(TimeFieldsInRange(c.hour, c.minute, c.second), c.inRange);
  // Reading the joined text agrees with the range test.
  EXPECT_EQ(ReadTimeOfDay(ComposeTimeText(c.hour, c.minute, c.second)).has_value(), c.inRange);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TimeBoxesTest,
    ::testing::Values(TimeCase{u"23", u"59", u"59", true}, TimeCase{u"0", u"0", u"0", true},
                      TimeCase{u" 9 ", u"\t5", u"0 ", true},  // blanks around a number
                      TimeCase{u"09", u"05", u"00", true}, TimeCase{u"+9", u"-0", u"0", true},
                      TimeCase{u"24", u"0", u"0", false}, TimeCase{u"0", u"60", u"0", false},
                      TimeCase{u"0", u"0", u"60", false}, TimeCase{u"0", u"0", u"-1", false},
                      TimeCase{u"HH", u"0", u"0", false}, TimeCase{u"12", u"MM", u"0", false},
                      TimeCase{u"", u"0", u"0", false}, TimeCase{u"  ", u"0", u"0", false},
                      TimeCase{u"1a", u"0", u"0", false}, TimeCase{u"5.0", u"0", u"0", false},
                      TimeCase{u"1 2", u"0", u"0", false}, TimeCase{u"1:2", u"0", u"0", false},
                      TimeCase{u"65541", u"0", u"0", false},  // 5 once cut to 16 bits
                      TimeCase{u"\uff11", u"0", u"0", false}));  // a full-width digit

struct MomentCase {
  const char* name;
  year_month_day date;
  seconds time;
  bool older;
};

class IsOlderThanNowTest : public ::testing::TestWithParam<MomentCase> {};

constexpr year_month_day kToday = year{2026} / 12 / 6;
constexpr seconds kNow = hours{18} + minutes{5} + seconds{30};

TEST_P(IsOlderThanNowTest, ComparesDateThenTimeToTheSecond) {
  const MomentCase& c = GetParam();
  EXPECT_EQ(IsOlderThanNow(c.date, c.time, kToday, kNow), c.older);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, IsOlderThanNowTest,
    ::testing::Values(MomentCase{"yesterday_late", year{2026} / 12 / 5, hours{23} + minutes{59}, true},
                      MomentCase{"last_year_later_in_the_day", year{2025} / 12 / 6, hours{23}, true},
                      MomentCase{"one_second_ago", kToday, kNow - seconds{1}, true},
                      MomentCase{"midnight_today", kToday, seconds{0}, true}, MomentCase{"this_second", kToday, kNow, false},
                      MomentCase{"one_second_ahead", kToday, kNow + seconds{1}, false},
                      MomentCase{"tomorrow_at_midnight", year{2026} / 12 / 7, seconds{0}, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(ComposeReminderRecordTest, StoresTheTextFormsOfTheMomentAndATaskOnlyWhenTickedAndChosen) {
  FixedForms forms;
  const auto date = year{2026} / 12 / 7;
  const ReminderRecord r = ComposeReminderRecord(u"Dentist", date, *ReadTimeOfDay(u"9:5:0"), false, u"/bin/x", forms);
  const RecordBytes bytes = EncodeRecord(r);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), RecordOf(u"Dentist", u"12/07/2026", u"09:05:00", u""));
  auto task = [&](bool ticked, std::u16string_view caption) {
    return std::u16string(TrimSpaces(ComposeReminderRecord(u"x", date, hours{9}, ticked, caption, forms).Task));
  };
  EXPECT_EQ(task(true, u"/usr/bin/xclock"), u"/usr/bin/xclock");
  EXPECT_EQ(task(true, kPathPlaceholder), u"");  // ticked but never chosen
  EXPECT_EQ(task(true, u"Path of the application task"), u"Path of the application task");
}

TEST(TaskPathFitTest, RefusesPathsTheStoreWouldMangle) {
  EXPECT_EQ(FitOfTaskPath(u"/opt/caf\u00e9/run.sh"), TaskPathFit::Fits);
  EXPECT_EQ(FitOfTaskPath(u"/opt/\u65e5\u672c/run"), TaskPathFit::OutsideCodePage);
  EXPECT_EQ(FitOfTaskPath(u"/" + std::u16string(254, u'p')), TaskPathFit::Fits);
  EXPECT_EQ(FitOfTaskPath(u"/" + std::u16string(255, u'p')), TaskPathFit::TooLong);
  EXPECT_TRUE(TaskPathRefusalText(u"").empty());
  const std::u16string text = TaskPathRefusalText(u"/opt/\u65e5/run");
  EXPECT_NE(text.find(u"/opt/\u65e5/run"), std::u16string::npos);
  EXPECT_NE(text.find(u"Nothing has been saved"), std::u16string::npos);
}

}  // namespace
