#include "manager/ManagerLogic.h"

#include <gtest/gtest.h>

#include "platform/FixedForms.h"
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

void PrintTo(const ClassCase& c, std::ostream* os) { *os << c.name; }

class Classify : public ::testing::TestWithParam<ClassCase> {};

TEST_P(Classify, AroundEveryBoundary) {
  EXPECT_EQ(ClassifyReminder(GetParam().date, GetParam().time, kToday, kNow), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, Classify,
    ::testing::Values(ClassCase{"yesterday_late", year{2026} / 12 / 5, hours{23} + minutes{59} + seconds{59}, ReminderState::Expired},
                      ClassCase{"one_second_ago", kToday, kNow - seconds{1}, ReminderState::Expired},
                      ClassCase{"now", kToday, kNow, ReminderState::DueNow},
                      ClassCase{"one_second_ahead", kToday, kNow + seconds{1}, ReminderState::Today},
                      ClassCase{"tomorrow_early", year{2026} / 12 / 7, seconds{0}, ReminderState::Future},
                      ClassCase{"next_year", year{2027} / 1 / 1, seconds{0}, ReminderState::Future}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ManagerLayout, DesignedSizeKeepsTheDesignAndNarrowerFollowsTheRightEdge) {
  const ManagerGeometry designed = ManagerLayout(5915, 3835);
  EXPECT_EQ(designed, (ManagerGeometry{5655, 2895, 3015, 4205, 5415, 2595}));  // as the window is built
  const ManagerGeometry narrower = ManagerLayout(5915 - 600, 3835 - 300);
  EXPECT_EQ(narrower.cancelLeft, designed.cancelLeft - 600);
  EXPECT_EQ(narrower.frameWidth, designed.frameWidth - 600);
  EXPECT_EQ(narrower.gridHeight, designed.gridHeight - 300);
  EXPECT_EQ(narrower.buttonTop, designed.buttonTop - 300);
  // Dragged very small or minimised: no negative sizes.
  const ManagerGeometry tiny = ManagerLayout(100, 500);
  for (int size : {tiny.frameWidth, tiny.frameHeight, tiny.gridWidth, tiny.gridHeight}) EXPECT_EQ(size, 0);
}

TEST(ReminderList, RowsKeepTheirTextsAndUnreadableOnesHaveNoState) {
  TempHome home;
  ReminderStore store(OsFileIo::Instance(), home.home());
  auto forms = std::make_unique<FixedForms>();
  home.WriteStore(RecordOf(u"  past", u"12/06/2026", u"08:00:00", u"/bin/a") +
                  RecordOf(u"garbled", u"13/45/2026", u"08:00:00") + RecordOf(u"later", u"12/06/2026", u"99:00") +
                  RecordOf(u"tomorrow", u"12/07/2026", u"00:00:00"));
  ReminderList list;
  ASSERT_TRUE(list.Load(store).ok());
  ASSERT_EQ(list.size(), 4);
  EXPECT_EQ(list.Row(1, *forms, kToday, kNow).texts, (ShownTexts{u"past", u"12/06/2026", u"08:00:00", u"/bin/a"}));
  EXPECT_EQ(list.Row(1, *forms, kToday, kNow).state, ReminderState::Expired);
  EXPECT_FALSE(list.Row(2, *forms, kToday, kNow).state.has_value());
  EXPECT_FALSE(list.Row(3, *forms, kToday, kNow).state.has_value());
  EXPECT_EQ(list.Row(4, *forms, kToday, kNow).state, ReminderState::Future);
}

}  // namespace
