#include "shell/ReminderCount.h"

#include <gtest/gtest.h>

#include "platform/FixedForms.h"
#include "store/TempHome.h"

using namespace std::chrono;

namespace {

TEST(CountTodaysReminders, CountsEveryRecordDatedTodayPassedOrNot) {
  TempHome home;
  ReminderStore store(OsFileIo::Instance(), home.home());
  FixedForms forms;
  home.WriteStore(RecordOf(u"past", u"12/06/2026", u"08:00:00") + RecordOf(u"later", u"12/06/2026", u"20:00:00") +
                  RecordOf(u"same", u"12/06/2026", u"08:00:00") + RecordOf(u"tomorrow", u"12/07/2026") +
                  RecordOf(u"yesterday", u"12/05/2026"));
  int count = -1;
  ASSERT_TRUE(CountTodaysReminders(store, year{2026} / 12 / 6, count, forms).ok());
  EXPECT_EQ(count, 3);
}

TEST(CountTodaysReminders, FailureKeepsTheOldCount) {
  TempHome home;
  std::filesystem::remove_all(home.root() / "db");
  ReminderStore store(OsFileIo::Instance(), home.home());
  int count = 7;
  Status s = CountTodaysReminders(store, year{2026} / 12 / 6, count);
  EXPECT_FALSE(s.ok());
  EXPECT_EQ(count, 7);
}

}  // namespace
