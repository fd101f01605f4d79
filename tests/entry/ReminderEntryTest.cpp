#include <gtest/gtest.h>

#include <cctype>

#include "entry/ReminderEntry.h"
#include "platform/FixedForms.h"
#include "store/TempHome.h"

using namespace std::chrono;

namespace {

struct TimeCase {
  std::u16string hour, minute, second;
  bool inRange;
};

class TimeFieldsInRangeTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(TimeFieldsInRangeTest, AcceptsExactlyTheTimesOfADay) {
  const TimeCase& c = GetParam();
  EXPECT_EQ(TimeFieldsInRange(c.hour, c.minute, c.second), c.inRange);
  // Reading the joined text agrees with the range test.
  EXPECT_EQ(ReadTimeOfDay(ComposeTimeText(c.hour, c.minute, c.second)).has_value(), c.inRange);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TimeFieldsInRangeTest,
    ::testing::Values(TimeCase{u"23", u"59", u"59", true}, TimeCase{u"0", u"0", u"0", true},
                      TimeCase{u" 9 ", u"\t5", u"0 ", true},  // blanks around a number
                      TimeCase{u"09", u"05", u"00", true}, TimeCase{u"+9", u"-0", u"0", true},
                      TimeCase{u"24", u"0", u"0", false}, TimeCase{u"0", u"60", u"0", false},
                      TimeCase{u"0", u"0", u"60", false}, TimeCase{u"0", u"0", u"-1", false},
                      TimeCase{u"-1", u"0", u"0", false}, TimeCase{u"HH", u"0", u"0", false},
                      TimeCase{u"12", u"MM", u"0", false}, TimeCase{u"12", u"30", u"SS", false},
                      TimeCase{u"", u"0", u"0", false}, TimeCase{u"12", u"", u"0", false},
                      TimeCase{u"  ", u"0", u"0", false}, TimeCase{u"abc", u"0", u"0", false},
                      TimeCase{u"1a", u"0", u"0", false}, TimeCase{u"5.0", u"0", u"0", false},
                      TimeCase{u"1 2", u"0", u"0", false}, TimeCase{u"1:2", u"0", u"0", false},
                      TimeCase{u"65541", u"0", u"0", false},  // 5 once cut to 16 bits
                      TimeCase{u"\uff11", u"0", u"0", false}));  // a full-width digit

TEST(ReadWholeNumberTest, ReadsSixteenBitNumbersOnly) {
  EXPECT_EQ(ReadWholeNumber(u"32767"), 32767);
  EXPECT_EQ(ReadWholeNumber(u"-32768"), -32768);
  EXPECT_FALSE(ReadWholeNumber(u"32768"));
  EXPECT_FALSE(ReadWholeNumber(u"-32769"));
  EXPECT_FALSE(ReadWholeNumber(u"99999999999999999999"));
  EXPECT_FALSE(ReadWholeNumber(u"-"));
}

TEST(ComposeTimeTextTest, JoinsTheTextsAsTheyStand) {
  EXPECT_EQ(ComposeTimeText(u"9", u"5", u"0"), u"9:5:0");
  EXPECT_EQ(ComposeTimeText(u"HH", u" 7", u""), u"HH: 7:");
  EXPECT_EQ(ReadTimeOfDay(u"9:5:0"), hours{9} + minutes{5});
  EXPECT_EQ(ReadTimeOfDay(u"23:59:59"), seconds{86399});
  EXPECT_FALSE(ReadTimeOfDay(u"9:5"));
  EXPECT_FALSE(ReadTimeOfDay(u"9:5:0:1"));
}

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
  EXPECT_EQ(IsOlderThanNow(c.date, c.time, kToday, kNow), c.older) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Moments, IsOlderThanNowTest,
    ::testing::Values(MomentCase{"yesterday, late", year{2026} / 12 / 5, hours{23} + minutes{59}, true},
                      MomentCase{"last year, later in the day", year{2025} / 12 / 6, hours{23}, true},
                      MomentCase{"one second ago", kToday, kNow - seconds{1}, true},
                      MomentCase{"midnight today", kToday, seconds{0}, true},
                      MomentCase{"this second", kToday, kNow, false},
                      MomentCase{"one second ahead", kToday, kNow + seconds{1}, false},
                      MomentCase{"tomorrow at midnight", year{2026} / 12 / 7, seconds{0}, false},
                      MomentCase{"next year, early", year{2027} / 1 / 1, seconds{0}, false}),
    [](const auto& test) {
      std::string name = test.param.name;
      for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

class ComposeReminderRecordTest : public ::testing::Test {
 protected:
  std::unique_ptr<DateTimeForms> forms = std::make_unique<FixedForms>();
  std::string Bytes(const ReminderRecord& record) {
    RecordBytes b = EncodeRecord(record);
    return std::string(b.begin(), b.end());
  }
};

TEST_F(ComposeReminderRecordTest, StoresTheTextFormsOfTheChosenMoment) {
  ReminderRecord r = ComposeReminderRecord(u"Dentist", year{2026} / 12 / 7, *ReadTimeOfDay(u"9:5:0"),
                                           false, kPathPlaceholder, *forms);
  EXPECT_EQ(Bytes(r), RecordOf(u"Dentist", u"12/07/2026", u"09:05:00", u""));
  EXPECT_EQ(r.Time, forms->TimeText(hours{9} + minutes{5}) + u"   ");
}

TEST_F(ComposeReminderRecordTest, StoresTheTaskOnlyWhenTickedAndChosen) {
  const auto date = year{2026} / 12 / 7;
  auto task = [&](bool ticked, std::u16string_view caption) {
    return std::u16string(TrimSpaces(ComposeReminderRecord(u"x", date, hours{9}, ticked, caption, *forms).Task));
  };
  EXPECT_EQ(task(true, u"/usr/bin/xclock"), u"/usr/bin/xclock");
  EXPECT_EQ(task(false, u"/usr/bin/xclock"), u"");
  EXPECT_EQ(task(true, kPathPlaceholder), u"");  // ticked but never chosen
  EXPECT_EQ(task(true, u"Path of the application task"), u"Path of the application task");
}

TEST_F(ComposeReminderRecordTest, FitsEachFieldToItsWidth) {
  const std::u16string about(81, u'a');
  const std::u16string path = u"/" + std::u16string(299, u'p');
  ReminderRecord r = ComposeReminderRecord(about, year{2026} / 12 / 7, hours{9}, true, path, *forms);
  EXPECT_EQ(r.About, std::u16string(80, u'a'));
  EXPECT_EQ(r.Task, path.substr(0, 255));
  EXPECT_EQ(ComposeReminderRecord(u"   ", year{2026} / 12 / 7, hours{9}, false, u"", *forms).About,
            std::u16string(80, u' '));
}

TEST_F(ComposeReminderRecordTest, AboutCharactersOutsideTheCodePageBecomeQuestionMarks) {
  ReminderRecord r = ComposeReminderRecord(u"Caf\u00e9 \u2615 \U0001F600 \u20ac", year{2026} / 12 / 7,
                                           hours{9}, false, u"", *forms);
  EXPECT_EQ(Bytes(r).substr(0, 12), std::string("Caf\xe9 ? ? \x80  "));
}

TEST(TaskPathFitTest, RefusesPathsTheStoreWouldMangle) {
  EXPECT_EQ(FitOfTaskPath(u"/opt/caf\u00e9/run.sh"), TaskPathFit::Fits);
  EXPECT_EQ(FitOfTaskPath(u"/opt/\u65e5\u672c/run"), TaskPathFit::OutsideCodePage);
  EXPECT_EQ(FitOfTaskPath(u"/" + std::u16string(254, u'p')), TaskPathFit::Fits);
  EXPECT_EQ(FitOfTaskPath(u"/" + std::u16string(255, u'p')), TaskPathFit::TooLong);
  EXPECT_TRUE(TaskPathRefusalText(u"").empty());
  EXPECT_TRUE(TaskPathRefusalText(u"/bin/true").empty());
  const std::u16string text = TaskPathRefusalText(u"/opt/\u65e5/run");
  EXPECT_NE(text.find(u"cannot store"), std::u16string::npos);
  EXPECT_NE(text.find(u"/opt/\u65e5/run"), std::u16string::npos);
  EXPECT_NE(text.find(u"Nothing has been saved"), std::u16string::npos);
}

}  // namespace
