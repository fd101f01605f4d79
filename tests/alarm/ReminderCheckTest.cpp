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

// How the check covers each second once, reports failures and announces in order, with the
// store closed, and reads the old forms, is check_soak's (a model of the rule under a
// seeded random schedule); here what a tick costs.
//
// A store out of reach for more than a day, failing as it is opened (call 1) or after
// it has handed over its first records (call 4). One that cannot be opened costs no
// texts; one that fails later costs what a good tick a minute after the last costs: the
// 60 time texts of that minute and the date of each day it touches.
struct OutageTest : ::testing::TestWithParam<int>, ReminderAnnouncer {
  TempHome home;
  FaultyFileIo io;
  ReminderStore store{io, home.home()};
  FakeClock clock{t0};
  FixedForms forms;
  ReminderCheck check{store, clock, forms};
  Abouts announced;

  void Announce(const DueReminder& r) override { announced.push_back(r.about); }
  void ReportFailure(const std::string&) override {}
  std::string Due(std::u16string_view about, local_seconds at) const {
    return RecordOf(about, forms.DateText(DateOf(at)), forms.TimeText(TimeOfDayOf(at)));
  }
};

TEST_P(OutageTest, FailedTicksCostNoMoreThanGoodOnesAndWhatFellDueIsAnnouncedInOrderAfterwards) {
  std::string filler;
  for (int i = 0; i < 1024; ++i) filler += Due(u"long ago", t0 - 72h);
  home.WriteStore(filler + Due(u"next day", t0 + 7h) + Due(u"soon", t0 + 10min) +
                  Due(u"after a day", t0 + 24h + 30min) + Due(u"not yet", t0 + 26h));
  for (minutes m{1}; m <= 25h; ++m) {  // a tick a minute
    io.Arm(GetParam(), kIoError, false);
    forms.formed = 0;
    clock.now = t0 + m;
    check.Tick(*this);
    ASSERT_LE(forms.formed, GetParam() == 1 ? 0 : 62) << m.count();
  }
  io.Disarm();
  clock.now = t0 + 25h + 1min;
  check.Tick(*this);
  EXPECT_EQ(announced, (Abouts{u"soon", u"next day", u"after a day"}));
}

INSTANTIATE_TEST_SUITE_P(FailingCalls, OutageTest, ::testing::Values(1, 4));

}  // namespace
