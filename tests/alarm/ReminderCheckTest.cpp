#include "alarm/ReminderCheck.h"

#include <gtest/gtest.h>

#include <functional>

#include "alarm/FakeClock.h"
#include "platform/FixedForms.h"
#include "platform/OsCodes.h"
#include "store/FaultyFileIo.h"
#include "store/TempHome.h"

using namespace std::chrono;

namespace {

using Abouts = std::vector<std::u16string>;

// The fixed forms, counting the texts they form.
class CountingForms final : public DateTimeForms {
 public:
  std::u16string DateText(year_month_day date) const override { return ++formed, fixed.DateText(date); }
  std::u16string TimeText(seconds timeOfDay) const override { return ++formed, fixed.TimeText(timeOfDay); }
  std::optional<year_month_day> ReadDate(std::u16string_view text) const override { return fixed.ReadDate(text); }
  std::optional<seconds> ReadTime(std::u16string_view text) const override { return fixed.ReadTime(text); }
  FixedForms fixed;
  mutable int formed = 0;
};

class Recorder final : public ReminderAnnouncer {
 public:
  void Announce(const DueReminder& r) override {
    announced.push_back(r.about);
    if (onAnnounce) onAnnounce(r);
  }
  void ReportFailure(const std::string& text) override { failures.push_back(text); }
  Abouts announced;
  std::vector<std::string> failures;
  std::function<void(const DueReminder&)> onAnnounce;
};

class CheckTest : public ::testing::Test {
 protected:
  const local_seconds t0 = At(2026, 12, 6, 18, 5, 0);
  TempHome home;
  FaultyFileIo io;
  ReminderStore store{io, home.home()};
  FakeClock clock{t0};
  Recorder recorder;
  CountingForms forms;
  ReminderCheck check{store, clock, forms};

  std::string Due(std::u16string_view about, local_seconds at, std::u16string_view task = u"") const {
    return RecordOf(about, forms.fixed.DateText(DateOf(at)), forms.fixed.TimeText(TimeOfDayOf(at)), task);
  }
  void TickAt(local_seconds t) {
    clock.now = t;
    check.Tick(recorder);
  }
};

// Reminders due at `start` + their offset, a check made at `start` and ticks at `start`
// + each of `ticks`: the reminders announced, in order.
struct Coverage {
  const char* name;
  local_seconds start;
  std::vector<std::pair<std::u16string, seconds>> due;  // in file order
  std::vector<seconds> ticks;
  Abouts announced;
};

void PrintTo(const Coverage& c, std::ostream* os) { *os << c.name; }

class CoverageTest : public CheckTest, public ::testing::WithParamInterface<Coverage> {};

TEST_P(CoverageTest, EachSecondIsCoveredOnceInOrder) {
  const Coverage& c = GetParam();
  std::string bytes;
  for (const auto& [about, offset] : c.due) bytes += Due(about, c.start + offset);
  home.WriteStore(bytes);
  clock.now = c.start;
  ReminderCheck made(store, clock, forms);
  for (seconds tick : c.ticks) {
    clock.now = c.start + tick;
    made.Tick(recorder);
  }
  EXPECT_EQ(recorder.announced, c.announced);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CoverageTest,
    ::testing::Values(
        Coverage{"from_the_second_it_was_made",
                 At(2026, 12, 6, 18, 5, 0),
                 {{u"at load", 0s}, {u"plus 5", 5s}, {u"plus 1", 1s}, {u"plus 2", 2s}, {u"before", -1s}, {u"tomorrow", 24h}},
                 {1s, 1s, 3s, 6s},
                 {u"at load", u"plus 1", u"plus 2", u"plus 5"}},
        Coverage{"across_midnight",
                 At(2026, 12, 6, 23, 59, 58),
                 {{u"before", 1s}, {u"after", 3s}, {u"not yet", 5s}, {u"other day", -47h}},
                 {4s},
                 {u"before", u"after"}},
        Coverage{"after_a_sleep_of_two_days", At(2026, 12, 6, 18, 5, 0),
                 {{u"next day", 30h}, {u"later still", 50h}, {u"old", -1h}}, {49h}, {u"next day"}},
        // The clock set back: coverage starts again at the current second.
        Coverage{"clock_set_back", At(2026, 12, 6, 18, 5, 0), {{u"early", 2s}, {u"late", 60s}}, {100s, 2s, 3s},
                 {u"early", u"late", u"early"}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(CheckTest, RecordsOfOneSecondAreAllAnnouncedInFileOrderWithTheStoreClosed) {
  home.WriteStore(Due(u"first", t0 + 1s, u"  /bin/first  ") + Due(u"other", t0 + 9s) + Due(u"second", t0 + 1s));
  Abouts tasks;
  recorder.onAnnounce = [&](const DueReminder& r) {
    EXPECT_TRUE(io.open.empty());
    tasks.push_back(r.task);
    clock.now += 30s;  // the user takes half a minute over each box
  };
  TickAt(t0 + 1s);
  EXPECT_EQ(recorder.announced, (Abouts{u"first", u"second"}));
  EXPECT_EQ(tasks, (Abouts{u"/bin/first", u""}));
}

TEST_F(CheckTest, TickDuringAnOpenBoxIsDeferredAndLosesNothing) {
  home.WriteStore(Due(u"now", t0 + 1s) + Due(u"while the box is open", t0 + 20s));
  recorder.onAnnounce = [&](const DueReminder&) {
    for (int i = 0; i < 40; ++i) TickAt(clock.now + 1s);  // ticks keep coming while the box waits
  };
  TickAt(t0 + 1s);
  EXPECT_EQ(recorder.announced, Abouts{u"now"});
  recorder.onAnnounce = nullptr;
  check.Tick(recorder);
  EXPECT_EQ(recorder.announced, (Abouts{u"now", u"while the box is open"}));
}

TEST_F(CheckTest, CheckMadeAgainWithinACoveredSecondDoesNotAnnounceAgain) {
  home.WriteStore(Due(u"once", t0 + 1s) + Due(u"next", t0 + 2s));
  TickAt(t0 + 1s);
  ReminderCheck reloaded(store, clock, forms, check.lastCovered());
  clock.now = t0 + 2s;
  reloaded.Tick(recorder);
  EXPECT_EQ(recorder.announced, (Abouts{u"once", u"next"}));
  // A check made later than the second after the old one's last starts afresh.
  clock.now = t0 + 10s;
  EXPECT_EQ(ReminderCheck(store, clock, forms, t0 + 2s).lastCovered(), t0 + 9s);
}

TEST_F(CheckTest, FailureIsReportedOnceWhileItLastsAndCoverageWaitsForTheStore) {
  home.WriteStore(Due(u"during the fault", t0 + 2s));
  io.Arm(1, kAccessDenied, true);
  for (int s = 1; s <= 4; ++s) TickAt(t0 + seconds{s});
  io.error = kIoError;  // another failure is reported again
  TickAt(t0 + 5s);
  ASSERT_EQ(recorder.failures,
            (std::vector<std::string>{DescribeFailure(kAccessDenied, home.store()),
                                      DescribeFailure(kIoError, home.store())}));
  io.Disarm();
  TickAt(t0 + 6s);
  EXPECT_EQ(recorder.announced, Abouts{u"during the fault"});
  io.Arm(1, kIoError, false);
  TickAt(t0 + 7s);
  EXPECT_EQ(recorder.failures.size(), 3u);  // reported again after a good tick
}

// A store out of reach for more than a day, failing as it is opened or after it has
// handed over its first records.
struct Outage {
  const char* name;
  int failingCall;
  int textsPerFailedTick;
};

void PrintTo(const Outage& o, std::ostream* os) { *os << o.name; }

class OutageTest : public CheckTest, public ::testing::WithParamInterface<Outage> {};

TEST_P(OutageTest, FailedTicksCostNoMoreThanGoodOnesAndWhatFellDueIsAnnouncedInOrderAfterwards) {
  std::string filler;
  for (int i = 0; i < 1024; ++i) filler += Due(u"long ago", t0 - 72h);
  home.WriteStore(filler + Due(u"next day", t0 + 7h) + Due(u"soon", t0 + 10min) +
                  Due(u"after a day", t0 + 24h + 30min) + Due(u"not yet", t0 + 26h));
  for (minutes m{1}; m <= 25h; ++m) {  // a tick a minute
    io.Arm(GetParam().failingCall, kIoError, false);
    forms.formed = 0;
    TickAt(t0 + m);
    ASSERT_LE(forms.formed, GetParam().textsPerFailedTick) << m.count();
  }
  io.Disarm();
  TickAt(t0 + 25h + 1min);
  EXPECT_EQ(recorder.announced, (Abouts{u"soon", u"next day", u"after a day"}));
}

// A store that cannot be opened costs no texts; one that fails later costs what a good
// tick a minute after the last costs: the 60 time texts of that minute and the date of
// each day it touches.
INSTANTIATE_TEST_SUITE_P(FailingCalls, OutageTest, ::testing::Values(Outage{"Open", 1, 0}, Outage{"SecondRead", 4, 62}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
