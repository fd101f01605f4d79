#include "alarm/ReminderCheck.h"

#include <gtest/gtest.h>

#include <functional>

#include "alarm/FakeClock.h"
#include "platform/FixedForms.h"
#include "platform/OsCodes.h"
#include "store/FaultyFileIo.h"
#include "store/TempHome.h"

using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

const std::unique_ptr<DateTimeForms> kForms = std::make_unique<FixedForms>();

std::string Due(std::u16string_view about, local_seconds at, std::u16string_view task = u"") {
  return RecordOf(about, kForms->DateText(DateOf(at)), kForms->TimeText(TimeOfDayOf(at)), task);
}

// The fixed forms, counting the texts they form.
class CountingForms final : public DateTimeForms {
 public:
  std::u16string DateText(year_month_day date) const override {
    ++formed;
    return kForms->DateText(date);
  }
  std::u16string TimeText(seconds timeOfDay) const override {
    ++formed;
    return kForms->TimeText(timeOfDay);
  }
  std::optional<year_month_day> ReadDate(std::u16string_view text) const override { return kForms->ReadDate(text); }
  std::optional<seconds> ReadTime(std::u16string_view text) const override { return kForms->ReadTime(text); }
  mutable int formed = 0;
};

class Recorder final : public ReminderAnnouncer {
 public:
  void Announce(const DueReminder& r) override {
    announced.push_back(r.about);
    if (onAnnounce) onAnnounce(r);
  }
  void ReportFailure(const std::string& text) override { failures.push_back(text); }
  std::vector<std::u16string> announced;
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

  void TickAt(local_seconds t) {
    clock.now = t;
    check.Tick(recorder);
  }
  using Abouts = std::vector<std::u16string>;
};

TEST_F(CheckTest, EachSecondSinceTheLastTickIsCoveredOnceInOrder) {
  home.WriteStore(Due(u"at load", t0) + Due(u"plus 5", t0 + 5s) + Due(u"plus 1", t0 + 1s) +
                  Due(u"plus 2", t0 + 2s) + Due(u"before load", t0 - 1s) + Due(u"tomorrow", t0 + 24h));
  TickAt(t0 + 1s);
  EXPECT_EQ(recorder.announced, (Abouts{u"at load", u"plus 1"}));
  TickAt(t0 + 1s);  // a second tick in the same second covers nothing new
  TickAt(t0 + 3s);
  TickAt(t0 + 6s);
  EXPECT_EQ(recorder.announced, (Abouts{u"at load", u"plus 1", u"plus 2", u"plus 5"}));
}

TEST_F(CheckTest, RecordsOfTheSameSecondAreAllAnnouncedInFileOrder) {
  home.WriteStore(Due(u"first", t0 + 1s, u"  /bin/first  ") + Due(u"other", t0 + 9s) +
                  Due(u"second", t0 + 1s));
  std::vector<std::u16string> tasks;
  recorder.onAnnounce = [&](const DueReminder& r) {
    tasks.push_back(r.task);
    clock.now += 30s;  // the user takes half a minute over each box
  };
  TickAt(t0 + 1s);
  EXPECT_EQ(recorder.announced, (Abouts{u"first", u"second"}));
  EXPECT_EQ(tasks, (Abouts{u"/bin/first", u""}));
}

TEST_F(CheckTest, TickDuringAnOpenBoxIsDeferredAndLosesNothing) {
  home.WriteStore(Due(u"now", t0 + 1s) + Due(u"while the box is open", t0 + 20s));
  int nested = 0;
  recorder.onAnnounce = [&](const DueReminder&) {
    for (int i = 0; i < 40; ++i) {  // ticks keep coming while the box waits
      clock.now += 1s;
      check.Tick(recorder);
      ++nested;
    }
  };
  TickAt(t0 + 1s);
  EXPECT_EQ(recorder.announced, Abouts{u"now"});
  recorder.onAnnounce = nullptr;
  check.Tick(recorder);
  EXPECT_EQ(recorder.announced, (Abouts{u"now", u"while the box is open"}));
  EXPECT_EQ(nested, 40);
}

TEST_F(CheckTest, ClockSetBackRestartsCoverageAtTheCurrentSecond) {
  home.WriteStore(Due(u"early", t0 + 2s) + Due(u"late", t0 + 60s));
  TickAt(t0 + 100s);
  EXPECT_EQ(recorder.announced, (Abouts{u"early", u"late"}));
  TickAt(t0 + 2s);  // set back: the current second is covered again
  TickAt(t0 + 3s);
  EXPECT_EQ(recorder.announced, (Abouts{u"early", u"late", u"early"}));
  EXPECT_EQ(check.lastCovered(), t0 + 3s);
}

TEST_F(CheckTest, ReloadWithinACoveredSecondDoesNotAnnounceAgain) {
  home.WriteStore(Due(u"once", t0 + 1s) + Due(u"next", t0 + 2s));
  TickAt(t0 + 1s);
  ReminderCheck reloaded(store, clock, *kForms, check.lastCovered());
  clock.now = t0 + 2s;
  reloaded.Tick(recorder);
  EXPECT_EQ(recorder.announced, (Abouts{u"once", u"next"}));
  // A check made later than the second after the old one's last starts afresh.
  clock.now = t0 + 10s;
  ReminderCheck later(store, clock, *kForms, t0 + 2s);
  EXPECT_EQ(later.lastCovered(), t0 + 9s);
}

TEST_F(CheckTest, CoverageCrossesMidnight) {
  clock.now = At(2026, 12, 6, 23, 59, 58);
  ReminderCheck late(store, clock, *kForms);
  home.WriteStore(Due(u"before", At(2026, 12, 6, 23, 59, 59)) + Due(u"after", At(2026, 12, 7, 0, 0, 1)) +
                  Due(u"not yet", At(2026, 12, 7, 0, 0, 3)) + Due(u"other day", At(2026, 12, 5, 0, 0, 0)));
  clock.now = At(2026, 12, 7, 0, 0, 2);
  late.Tick(recorder);
  EXPECT_EQ(recorder.announced, (Abouts{u"before", u"after"}));
}

TEST_F(CheckTest, SleepOfADayAndMoreCatchesUpWhatCameDueMeanwhile) {
  home.WriteStore(Due(u"next day", t0 + 30h) + Due(u"later still", t0 + 50h) + Due(u"old", t0 - 1h));
  TickAt(t0 + 49h);
  EXPECT_EQ(recorder.announced, Abouts{u"next day"});
}

TEST_F(CheckTest, LastingFailureIsReportedOnceAndCoverageWaitsForTheStore) {
  home.WriteStore(Due(u"during the fault", t0 + 2s));
  io.failAt = 1;
  io.sticky = true;
  io.error = kAccessDenied;
  for (int s = 1; s <= 4; ++s) TickAt(t0 + seconds{s});
  ASSERT_EQ(recorder.failures.size(), 1u);
  EXPECT_EQ(recorder.failures[0], DescribeFailure(kAccessDenied, home.store()));
  io.failAt = 0;
  TickAt(t0 + 5s);
  EXPECT_EQ(recorder.announced, Abouts{u"during the fault"});
  io.calls = 0;
  io.failAt = 1;
  TickAt(t0 + 6s);
  TickAt(t0 + 7s);
  EXPECT_EQ(recorder.failures.size(), 2u);  // reported again after a good tick
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
INSTANTIATE_TEST_SUITE_P(FailingCalls, OutageTest,
                         ::testing::Values(Outage{"Open", 1, 0}, Outage{"SecondRead", 4, 62}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(CheckTest, MissingDbFolderIsReportedOnce) {
  fs::remove_all(home.root() / "db");
  for (int s = 1; s <= 5; ++s) TickAt(t0 + seconds{s});
  ASSERT_EQ(recorder.failures.size(), 1u);
  EXPECT_EQ(recorder.failures[0], DescribeFailure(kNoSuchFolder, home.store()));
}

TEST_F(CheckTest, DifferentFailureTextIsReportedAgain) {
  io.failAt = 1;
  io.sticky = true;
  io.error = kAccessDenied;
  TickAt(t0 + 1s);
  io.error = kIoError;
  TickAt(t0 + 2s);
  EXPECT_EQ(recorder.failures.size(), 2u);
}

TEST_F(CheckTest, StoreIsClosedBeforeAnyBoxIsShown) {
  home.WriteStore(Due(u"now", t0 + 1s));
  recorder.onAnnounce = [&](const DueReminder&) { EXPECT_TRUE(io.open.empty()); };
  TickAt(t0 + 1s);
  EXPECT_EQ(recorder.announced.size(), 1u);
}

}  // namespace
