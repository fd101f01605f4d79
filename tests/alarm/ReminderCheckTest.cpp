#include "alarm/ReminderCheck.h"

#include <gtest/gtest.h>

#include "alarm/FakeClock.h"
#include "os/FixedForms.h"
#include "os/OsCodes.h"
#include "store/FaultyFileIo.h"
#include "store/TempHome.h"

using namespace std::chrono;

namespace {

using Abouts = std::vector<std::u16string>;

const local_seconds t0 = At(2026, 12, 6, 18, 5, 0);

// The check's announcer, noting what it is told. How the check covers each second once,
// reports failures and announces in order, with the store closed, is check_soak's (a model
// of the rule under a seeded random schedule); here the old forms and what a tick costs.
struct CheckTest : ::testing::Test, ReminderAnnouncer {
  TempHome home;
  FaultyFileIo io;
  ReminderStore store{io, home.home()};
  FakeClock clock{t0};
  FixedForms forms;
  ReminderCheck check{store, clock, forms};
  Abouts announced;
  std::vector<local_seconds> dueAt;

  void Announce(const DueReminder& r) override {
    announced.push_back(r.about);
    dueAt.push_back(r.second);
  }
  void ReportFailure(const std::string&) override {}
  std::string Due(std::u16string_view about, local_seconds at) const {
    return RecordOf(about, forms.DateText(DateOf(at)), forms.TimeText(TimeOfDayOf(at)));
  }
  void TickAt(local_seconds t) {
    clock.now = t;
    check.Tick(*this);
  }
};

// A record in the old forms, the check made at t0 (18:05:00) and ticking every `step`
// up to two minutes on: an old time is due at its minute's first second, once.
struct OldCase {
  const char* name;
  std::u16string date, time;
  seconds step;
  std::vector<local_seconds> due;
};

class OldFormsCheckTest : public CheckTest, public ::testing::WithParamInterface<OldCase> {};

TEST_P(OldFormsCheckTest, OldTextsAreDueOnceAtTheirMomentsFirstSecond) {
  const OldCase& c = GetParam();
  forms.old = true;
  home.WriteStore(RecordOf(u"old", c.date, c.time));
  for (seconds t = c.step; t <= 2min; t += c.step) TickAt(t0 + t);
  EXPECT_EQ(dueAt, c.due);
}

INSTANTIATE_TEST_SUITE_P(Cases, OldFormsCheckTest,
                         ::testing::Values(OldCase{"old_time_each_second", u"12/06/2026", u"18:06", 1s, {t0 + 1min}},
                                           OldCase{"old_time_in_one_tick", u"12/06/2026", u"18:06", 2min, {t0 + 1min}},
                                           OldCase{"minute_of_the_first_tick", u"12/06/2026", u"18:05", 1s, {t0}},
                                           OldCase{"old_date", u"06.12.26", u"18:05:30", 1s, {t0 + 30s}},
                                           OldCase{"old_date_and_time", u"06.12.26", u"18:07", 1s, {t0 + 2min}},
                                           OldCase{"another_day", u"07.12.26", u"18:06", 1s, {}}),
                         [](const auto& p) { return std::string(p.param.name); });

// A store out of reach for more than a day, failing as it is opened (call 1) or after
// it has handed over its first records (call 4). One that cannot be opened costs no
// texts; one that fails later costs what a good tick a minute after the last costs: the
// 60 time texts of that minute and the date of each day it touches.
class OutageTest : public CheckTest, public ::testing::WithParamInterface<int> {};

TEST_P(OutageTest, FailedTicksCostNoMoreThanGoodOnesAndWhatFellDueIsAnnouncedInOrderAfterwards) {
  std::string filler;
  for (int i = 0; i < 1024; ++i) filler += Due(u"long ago", t0 - 72h);
  home.WriteStore(filler + Due(u"next day", t0 + 7h) + Due(u"soon", t0 + 10min) +
                  Due(u"after a day", t0 + 24h + 30min) + Due(u"not yet", t0 + 26h));
  for (minutes m{1}; m <= 25h; ++m) {  // a tick a minute
    io.Arm(GetParam(), kIoError, false);
    forms.formed = 0;
    TickAt(t0 + m);
    ASSERT_LE(forms.formed, GetParam() == 1 ? 0 : 62) << m.count();
  }
  io.Disarm();
  TickAt(t0 + 25h + 1min);
  EXPECT_EQ(announced, (Abouts{u"soon", u"next day", u"after a day"}));
}

INSTANTIATE_TEST_SUITE_P(FailingCalls, OutageTest, ::testing::Values(1, 4));

}  // namespace
