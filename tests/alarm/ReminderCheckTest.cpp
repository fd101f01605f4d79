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

// The fixed forms, counting the texts they form; with `old`, old forms beside them:
// day.month.two-digit-year and hour:minute.
class CountingForms final : public DateTimeForms {
 public:
  std::u16string DateText(year_month_day date) const override { return ++formed, fixed.DateText(date); }
  std::u16string TimeText(seconds timeOfDay) const override { return ++formed, fixed.TimeText(timeOfDay); }
  std::optional<year_month_day> ReadDate(std::u16string_view text) const override { return fixed.ReadDate(text); }
  std::optional<seconds> ReadTime(std::u16string_view text) const override { return fixed.ReadTime(text); }
  std::optional<std::u16string> OldDateText(year_month_day d) const override {
    if (!old) return std::nullopt;
    const std::u16string mdy = fixed.DateText(d);  // MM/DD/YYYY
    return mdy.substr(3, 2) + u"." + mdy.substr(0, 2) + u"." + mdy.substr(8, 2);
  }
  std::optional<std::u16string> OldTimeText(seconds timeOfDay) const override {
    if (!old) return std::nullopt;
    return fixed.TimeText(timeOfDay).substr(0, 5);
  }
  FixedForms fixed;
  bool old = false;
  mutable int formed = 0;
};

const local_seconds t0 = At(2026, 12, 6, 18, 5, 0);

// The check's announcer, noting what it is told.
struct CheckTest : ::testing::Test, ReminderAnnouncer {
  TempHome home;
  FaultyFileIo io;
  ReminderStore store{io, home.home()};
  FakeClock clock{t0};
  CountingForms forms;
  ReminderCheck check{store, clock, forms};
  Abouts announced;
  std::vector<local_seconds> dueAt;
  std::vector<std::string> failures;
  int ticksDuringEachBox = 0;

  // The store is closed while a box is open; the ticks that come meanwhile do nothing.
  void Announce(const DueReminder& r) override {
    announced.push_back(io.open.empty() ? r.about : u"announced with the store open");
    dueAt.push_back(r.second);
    for (int i = 0; i < ticksDuringEachBox; ++i) TickAt(clock.now + 1s);
  }
  void ReportFailure(const std::string& text) override { failures.push_back(text); }
  std::string Due(std::u16string_view about, local_seconds at) const {
    return RecordOf(about, forms.fixed.DateText(DateOf(at)), forms.fixed.TimeText(TimeOfDayOf(at)));
  }
  void TickAt(local_seconds t, ReminderCheck* made = nullptr) {
    clock.now = t;
    (made ? made : &check)->Tick(*this);
  }
};

// Reminders due at `start` + their offset (in file order), a check made at `start` (told
// an earlier check covered up to `start` + `coveredUntil`, if given), ticks at `start` +
// each tick: the reminders announced, in order.
struct Coverage {
  const char* name;
  local_seconds start;
  std::vector<std::pair<std::u16string, seconds>> due;
  std::vector<seconds> ticks;
  Abouts announced;
  std::optional<seconds> coveredUntil = std::nullopt;
};

class CoverageTest : public CheckTest, public ::testing::WithParamInterface<Coverage> {};

TEST_P(CoverageTest, EachSecondIsCoveredOnceInOrder) {
  const Coverage& c = GetParam();
  std::string bytes;
  for (const auto& [about, offset] : c.due) bytes += Due(about, c.start + offset);
  home.WriteStore(bytes);
  clock.now = c.start;
  ReminderCheck made(store, clock, forms, c.coveredUntil ? std::optional(c.start + *c.coveredUntil) : std::nullopt);
  for (seconds tick : c.ticks) TickAt(c.start + tick, &made);
  EXPECT_EQ(announced, c.announced);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CoverageTest,
    ::testing::Values(
        Coverage{
            "from_the_second_it_was_made",
            t0,
            {{u"at load", 0s}, {u"plus 5", 5s}, {u"plus 1", 1s}, {u"plus 2", 2s}, {u"before", -1s}, {u"tomorrow", 24h}},
            {1s, 1s, 3s, 6s},
            {u"at load", u"plus 1", u"plus 2", u"plus 5"}},
        Coverage{"across_midnight",
                 At(2026, 12, 6, 23, 59, 58),
                 {{u"before", 1s}, {u"after", 3s}, {u"not yet", 5s}, {u"other day", -47h}},
                 {4s},
                 {u"before", u"after"}},
        // The clock set back: coverage starts again at the current second.
        Coverage{"clock_set_back", t0, {{u"early", 2s}, {u"late", 60s}}, {100s, 2s, 3s}, {u"early", u"late", u"early"}},
        // A main window made again within a second an earlier one covered.
        Coverage{"made_again_within_a_covered_second", t0, {{u"once", 0s}, {u"next", 1s}}, {1s}, {u"next"}, 0s},
        Coverage{"made_later_starts_afresh", t0, {{u"between", -3s}, {u"at load", 0s}}, {0s}, {u"at load"}, -8s}),
    [](const auto& p) { return std::string(p.param.name); });

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

// Ticks that come while a box is open do nothing; the next tick after it covers the
// seconds that passed meanwhile. Texts are announced trimmed.
TEST_F(CheckTest, RecordsOfOneSecondComeInFileOrderWithTheStoreClosedAndTicksWaitForTheBox) {
  home.WriteStore(Due(u"  first ", t0 + 1s) + Due(u"meanwhile", t0 + 9s) + Due(u"second", t0 + 1s));
  ticksDuringEachBox = 30;
  TickAt(t0 + 1s);
  EXPECT_EQ(announced, (Abouts{u"first", u"second"}));
  check.Tick(*this);
  EXPECT_EQ(announced, (Abouts{u"first", u"second", u"meanwhile"}));
}

// Reported once while it lasts, again when it changes and after a good tick.
TEST_F(CheckTest, FailureIsReportedOnceWhileItLastsAndCoverageWaitsForTheStore) {
  home.WriteStore(Due(u"during the fault", t0 + 2s));
  io.Arm(1, kAccessDenied, true);
  for (int s = 1; s <= 4; ++s) TickAt(t0 + seconds{s});
  io.error = kIoError;
  TickAt(t0 + 5s);
  io.Disarm();
  TickAt(t0 + 6s);
  io.Arm(1, kIoError, false);
  TickAt(t0 + 7s);
  EXPECT_EQ(announced, Abouts{u"during the fault"});
  const std::string failed = DescribeFailure(kIoError, home.store());
  EXPECT_EQ(failures, (std::vector<std::string>{DescribeFailure(kAccessDenied, home.store()), failed, failed}));
}

// A clock set back while the store cannot be read restarts coverage there, as on a good
// tick: what falls due from the restart on comes when the store is back.
TEST_F(CheckTest, ClockSetBackDuringAnOutageRestartsCoverageThere) {
  TickAt(t0 + 62s);
  home.WriteStore(Due(u"after the restart", t0 + 5s));
  io.Arm(1, kIoError, true);
  for (seconds s = 3s; s <= 12s; ++s) TickAt(t0 + s);
  io.Disarm();
  TickAt(t0 + 13s);
  EXPECT_EQ(announced, Abouts{u"after the restart"});
}

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
