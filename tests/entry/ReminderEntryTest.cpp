#include <gtest/gtest.h>

#include "entry/ReminderEntry.h"
#include "os/FixedForms.h"
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
  EXPECT_EQ(ReadTimeOfDay(ComposeTimeText(c.hour, c.minute, c.second)).has_value(), c.inRange);
}

// Blanks around a number pass; 65541 would be 5 once cut to 16 bits; \uff11 is a full-width 1.
INSTANTIATE_TEST_SUITE_P(Boxes, TimeBoxesTest,
                         ::testing::Values(TimeCase{u"23", u"59", u"59", true}, TimeCase{u" 9 ", u"\t5", u"0 ", true},
                                           TimeCase{u"+9", u"-0", u"0", true}, TimeCase{u"24", u"0", u"0", false},
                                           TimeCase{u"0", u"60", u"0", false}, TimeCase{u"0", u"0", u"60", false},
                                           TimeCase{u"0", u"0", u"-1", false}, TimeCase{u"HH", u"0", u"0", false},
                                           TimeCase{u"", u"0", u"0", false}, TimeCase{u"1a", u"0", u"0", false},
                                           TimeCase{u"5.0", u"0", u"0", false}, TimeCase{u"1 2", u"0", u"0", false},
                                           TimeCase{u"65541", u"0", u"0", false},
                                           TimeCase{u"\uff11", u"0", u"0", false}));

struct MomentCase {
  year_month_day date;
  seconds time;
  bool older;
};

class IsOlderThanNowTest : public ::testing::TestWithParam<MomentCase> {};

constexpr year_month_day kToday = year{2026} / 12 / 6;
constexpr seconds kNow = hours{18} + minutes{5} + seconds{30};

TEST_P(IsOlderThanNowTest, ComparesDateThenTimeToTheSecond) {
  EXPECT_EQ(IsOlderThanNow(GetParam().date, GetParam().time, kToday, kNow), GetParam().older);
}

INSTANTIATE_TEST_SUITE_P(Moments, IsOlderThanNowTest,
                         ::testing::Values(MomentCase{year{2026} / 12 / 5, hours{23} + minutes{59}, true},
                                           MomentCase{kToday, kNow - seconds{1}, true}, MomentCase{kToday, kNow, false},
                                           MomentCase{kToday, kNow + seconds{1}, false},
                                           MomentCase{year{2026} / 12 / 7, seconds{0}, false}));

TEST(ComposeReminderRecordTest, StoresTheTextFormsOfTheMomentAndATaskOnlyWhenTickedAndChosen) {
  FixedForms forms;
  auto compose = [&](bool ticked, std::u16string_view path) {
    return EncodeRecord(ComposeReminderRecord(u"Dr", year{2026} / 12 / 7, hours{9} + minutes{5}, ticked, path, forms));
  };
  const RecordBytes bytes = compose(true, u"/bin/x");
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), RecordOf(u"Dr", u"12/07/2026", u"09:05:00", u"/bin/x"));
  EXPECT_EQ(compose(false, u"/bin/x"), compose(true, kPathPlaceholder));  // unticked, or ticked but never chosen
}

TEST(TaskPathFitTest, RefusesPathsTheStoreWouldMangle) {
  EXPECT_EQ(FitOfTaskPath(u"/opt/caf\u00e9/run.sh"), TaskPathFit::Fits);
  EXPECT_EQ(FitOfTaskPath(u"/opt/\u65e5\u672c/run"), TaskPathFit::OutsideCodePage);
  EXPECT_EQ(FitOfTaskPath(u"/" + std::u16string(254, u'p')), TaskPathFit::Fits);
  EXPECT_EQ(FitOfTaskPath(u"/" + std::u16string(255, u'p')), TaskPathFit::TooLong);
}

}  // namespace
