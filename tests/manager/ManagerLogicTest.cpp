#include "manager/ManagerLogic.h"

#include <gtest/gtest.h>

#include "os/FixedForms.h"
#include "store/TempHome.h"

using namespace std::chrono;

namespace {

const year_month_day kToday = year{2026} / 12 / 6;
const seconds kNow = hours{18} + minutes{5} + seconds{3};

struct ClassCase {
  const char* name;
  year_month_day date;
  seconds time;
  ReminderState expected;
};

class Classify : public ::testing::TestWithParam<ClassCase> {};

TEST_P(Classify, AroundEveryBoundary) {
  EXPECT_EQ(ClassifyReminder(GetParam().date, GetParam().time, kToday, kNow), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, Classify,
    ::testing::Values(ClassCase{"yesterday_late", year{2026} / 12 / 5, hours{24} - seconds{1}, ReminderState::Expired},
                      ClassCase{"one_second_ago", kToday, kNow - seconds{1}, ReminderState::Expired},
                      ClassCase{"now", kToday, kNow, ReminderState::DueNow},
                      ClassCase{"one_second_ahead", kToday, kNow + seconds{1}, ReminderState::Today},
                      ClassCase{"tomorrow_early", year{2026} / 12 / 7, seconds{0}, ReminderState::Future},
                      ClassCase{"next_year", year{2027} / 1 / 1, seconds{0}, ReminderState::Future}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ReminderList, RowsKeepTheirTrimmedTextsAndUnreadableOnesShowAsExpired) {
  TempHome home;
  home.WriteStore(RecordOf(u"  past", u"12/06/2026", u"08:00:00", u"/bin/a") +
                  RecordOf(u"garbled", u"13/45/2026", u"08:00:00") + RecordOf(u"later", u"12/06/2026", u"99:00"));
  ReminderList list;
  ASSERT_TRUE(list.Load(ReminderStore(OsFileIo::Instance(), home.home())).ok());
  FixedForms forms;
  EXPECT_EQ(list.Row(1, forms, kToday, kNow).texts, (ShownTexts{u"past", u"12/06/2026", u"08:00:00", u"/bin/a"}));
  EXPECT_EQ(list.Row(1, forms, kToday, kNow).state, ReminderState::Expired);
  // Neither is ever announced, although "later" is dated today.
  for (int row : {2, 3}) EXPECT_EQ(list.Row(row, forms, kToday, kNow).state, ReminderState::Expired) << row;
}

}  // namespace
