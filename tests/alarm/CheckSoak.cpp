// The check against a plain model of its rule, under a seeded random schedule: one-second
// and late ticks, suspends, clocks set back and forward, daylight saving edges and
// midnights in the local time of TZ, store outages, boxes left open while time passes, a
// main window made again, records in an older installation's forms, and a second writer
// appending, deleting and rewriting on the real store file. Every tick's announcements and
// failure reports are compared with the model's.
//   check_soak [--seed=S] [--runs=R] [--days=D]
// runs seeds S to S+R-1 (1, 1 and 1 by default), each for D simulated days of clock moves,
// in Europe/Berlin for odd seeds and UTC for even ones. A mismatch prints the seed and the
// events that led there.
#include <gtest/gtest.h>
#include <time.h>

#include <algorithm>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "alarm/FakeClock.h"
#include "alarm/ReminderCheck.h"
#include "os/CodePage.h"
#include "os/FixedForms.h"
#include "os/OsCodes.h"
#include "os/OsError.h"
#include "store/FaultyFileIo.h"
#include "store/TempHome.h"

using namespace std::chrono;

namespace {

std::uint64_t firstSeed = 1;
int runs = 1, soakDays = 1;

std::string Shown(local_seconds t) {
  const std::time_t since = t.time_since_epoch().count();
  std::tm tm{};
  char text[40];
  return {text, std::strftime(text, sizeof text, "%F %T", gmtime_r(&since, &tm))};
}

long OffsetAt(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm.tm_gmtoff;
}
local_seconds LocalOf(std::time_t t) { return local_seconds{seconds{t + OffsetAt(t)}}; }

// The first moment after `t` whose offset from UTC differs, within a year.
std::optional<std::time_t> NextOffsetChange(std::time_t t) {
  const long offset = OffsetAt(t);
  for (std::time_t day = t + 86400; day < t + 400 * 86400; day += 86400) {
    if (OffsetAt(day) == offset) continue;
    std::time_t same = day - 86400, changed = day;
    while (changed - same > 1)
      (OffsetAt(same + (changed - same) / 2) == offset ? same : changed) = same + (changed - same) / 2;
    return changed;
  }
  return std::nullopt;
}

// A record as the second writer wrote it, and the second it is due at, if its texts name one.
struct Written {
  ReminderRecord record;
  std::optional<local_seconds> at;
};

std::string Line(int number, std::u16string_view about, std::u16string_view task, local_seconds at) {
  return "#" + std::to_string(number) + " " + Utf16ToUtf8(about) + " [" + Utf16ToUtf8(task) + "] " + Shown(at);
}

// The rule, plainly: a tick covers the seconds from the first uncovered one up to now
// and announces what falls due in them, trimmed, by second and then record number, with
// the store closed; a clock set back restarts coverage at now; a failing tick covers
// nothing and reports its text unless the last report since the last good tick said the
// same.
struct Model {
  local_seconds next;  // the first second not yet covered
  std::optional<std::string> reported;

  // A check made at `now`, told an earlier one covered up to `coveredUntil`.
  Model(local_seconds now, local_seconds coveredUntil) : next(coveredUntil == now ? now + 1s : now) {}

  std::vector<std::string> Tick(local_seconds now, const std::optional<std::string>& failure,
                                const std::vector<Written>& store) {
    if (now == next - 1s) return {};
    if (now < next - 1s) next = now;  // set back
    if (failure) {
      if (reported == failure) return {};
      reported = failure;
      return {"failure: " + *failure};
    }
    reported.reset();
    std::vector<std::pair<local_seconds, int>> due;
    for (int i = 0; i < int(store.size()); ++i)
      if (store[i].at && *store[i].at >= next && *store[i].at <= now) due.emplace_back(*store[i].at, i + 1);
    std::sort(due.begin(), due.end());
    next = now + 1s;
    std::vector<std::string> lines;
    for (const auto& [at, n] : due)
      lines.push_back(Line(n, TrimSpaces(store[n - 1].record.About), TrimSpaces(store[n - 1].record.Task), at));
    return lines;
  }
};

class Soak : public ReminderAnnouncer {
 public:
  explicit Soak(std::uint64_t seed) : seed_(seed), rng_(seed) { forms_.old = true; }

  // False, with the events that led there printed, at the first tick that differs.
  bool Run() {
    utc_ = 1767225600 + Draw(0, 2 * 365 * 86400);  // 2026 and 2027
    clock_.now = LocalOf(utc_);
    check_ = std::make_unique<ReminderCheck>(store_, clock_, forms_);
    model_.emplace(clock_.now, clock_.now - 1s);
    for (std::int64_t simulated = 0; simulated < std::int64_t{soakDays} * 86400;) {
      if (Draw(0, 199) == 0) Edit();
      ChangeOutage();
      if (Draw(0, 1999) == 0) Reload();
      simulated += MoveClock();
      if (!Tick() || failed_) return false;
    }
    return true;
  }

  std::int64_t ticks = 0, announced = 0, reports = 0, edits = 0;

 private:
  std::int64_t Draw(std::int64_t lo, std::int64_t hi) {
    return std::uniform_int_distribution<std::int64_t>(lo, hi)(rng_);
  }
  // One-second ticks are left out: the tick numbers show them.
  void Note(const std::string& event) {
    events_.push_back("tick " + std::to_string(ticks + 1) + ", " + Shown(clock_.now) + ": " + event);
    if (events_.size() > 40) events_.erase(events_.begin());
  }

  // The clock's next move; returns the simulated seconds it counts for (a jump to an edge
  // counts for none).
  std::int64_t MoveClock() {
    const std::int64_t kind = Draw(0, 9999), before = utc_;
    std::string what;
    if (kind < 9100) {
      utc_ += 1;
    } else if (kind < 9900) {
      utc_ += Draw(2, 9);
      what = "late tick, +" + std::to_string(utc_ - before) + " s";
    } else if (kind < 9905) {
      utc_ += std::int64_t(std::exp(std::uniform_real_distribution<double>(std::log(60), std::log(4 * 3600))(rng_)));
      what = "suspend, +" + std::to_string(utc_ - before) + " s";
    } else if (kind < 9975) {
      utc_ -= Draw(0, 1) ? Draw(1, 5) : Draw(6, 3600);
      what = "clock set back " + std::to_string(before - utc_) + " s";
    } else if (kind < 9978) {
      utc_ += Draw(10, 7200);
      what = "clock set forward " + std::to_string(utc_ - before) + " s";
    } else {
      // Just before a change of the offset from UTC, or else before local midnight.
      const std::optional<std::time_t> change = kind < 9989 ? NextOffsetChange(utc_) : std::nullopt;
      const local_seconds now = LocalOf(utc_);
      utc_ = (change ? *change : utc_ + (floor<days>(now) + days{1} - now).count()) - Draw(1, 20);
      Note(std::string(change ? "to a DST edge" : "to midnight") + ", now " + Shown(LocalOf(utc_)));
      clock_.now = LocalOf(utc_);
      // Something due around the edge, and often a store out of reach across it.
      Append(Draw(-3600, 120));
      if (Draw(0, 2) == 0) StartOutage();
      return 0;
    }
    clock_.now = LocalOf(utc_);
    if (!what.empty()) Note(what);
    return std::max<std::int64_t>(utc_ - before, 0);
  }

  void StartOutage() {
    outage_ = Draw(0, 1) ? kIoError : kAccessDenied;
    failAt_ = int(Draw(1, 2));  // the open, or the size after it
    Note("store out of reach: " + Failure(*outage_));
  }
  void ChangeOutage() {
    if (!outage_) {
      if (Draw(0, 499) == 0) StartOutage();
      blip_ = Draw(0, 999) == 0;
      if (blip_) Note("one failing call");
    } else if (const std::int64_t k = Draw(0, 199); k < 2) {
      outage_.reset();
      Note("store back");
    } else if (k == 2) {
      outage_ = *outage_ == kIoError ? kAccessDenied : kIoError;
      Note("store fails otherwise: " + Failure(*outage_));
    }
  }
  std::string Failure(int error) const { return DescribeFailure(error, store_.StorePath()); }

  // A record due `offset` seconds from now; now and then with texts that name no second,
  // in an older installation's date or time form (an old time names a minute: it is due at
  // the minute's first second), or a time written after blanks, which its field has room
  // for and which counts the same.
  Written Make(std::int64_t offset) {
    const std::u16string number = Utf8ToUtf16(std::to_string(serial_++)), about = u" r" + number;
    const std::u16string task = Draw(0, 2) ? u"t" + number : u"";
    if (Draw(0, 19) == 0) return {MakeRecord(about, u"13/45/2026", u"25:61:00", task), std::nullopt};
    const std::int64_t form = Draw(0, 9);  // 0: the old date, 1: the old time, 2: both
    const bool oldDate = form == 0 || form == 2, oldTime = form == 1 || form == 2;
    const local_seconds at = oldTime ? floor<minutes>(clock_.now + seconds{offset}) : clock_.now + seconds{offset};
    const std::u16string date = oldDate ? *forms_.OldDateText(DateOf(at)) : forms_.DateText(DateOf(at));
    const std::u16string time = (Draw(0, 3) ? u"" : u"  ") +
                                (oldTime ? *forms_.OldTimeText(TimeOfDayOf(at)) : forms_.TimeText(TimeOfDayOf(at)));
    return {MakeRecord(about, date, time, task), at};
  }
  static std::string Describe(const Written& w) {
    return Utf16ToUtf8(TrimSpaces(w.record.About)) + " due " + (w.at ? Shown(*w.at) : std::string("never"));
  }
  void Append(std::int64_t offset) {
    const Written w = Make(offset);
    Expect(writer_.AppendReminder(w.record), "append");
    written_.push_back(w);
    Note("append #" + std::to_string(written_.size()) + " " + Describe(w));
  }
  void Edit() {
    ++edits;
    const std::int64_t kind = written_.size() >= 40 ? 1 : written_.empty() ? 0 : Draw(0, 2);
    if (kind == 0) {
      const std::int64_t spread = Draw(0, 9);
      return Append(spread < 5 ? Draw(0, 120) : spread < 8 ? Draw(-3600, 3600) : Draw(0, 2 * 86400));
    }
    const int n = int(Draw(1, std::int64_t(written_.size())));
    if (kind == 1) {
      Note("delete #" + std::to_string(n) + " " + Describe(written_[n - 1]));
      Expect(writer_.DeleteReminder(n), "delete");
      written_.erase(written_.begin() + (n - 1));
    } else {
      const Written w = Make(Draw(-600, 600));
      Note("rewrite #" + std::to_string(n) + " " + Describe(written_[n - 1]) + " as " + Describe(w));
      // As the edit dialog does, by the texts shown; every About is one of a kind.
      const ReminderRecord& old = written_[n - 1].record;
      const auto shown = [](std::u16string_view text) { return std::u16string(TrimSpaces(text)); };
      Expect(writer_.RewriteShownReminder(1, {shown(old.About), shown(old.Date), shown(old.Time), shown(old.Task)},
                                          w.record),
             "rewrite");
      written_[n - 1] = w;
    }
  }
  void Expect(const Status& s, const char* what) {
    if (s.ok()) return;
    ADD_FAILURE() << "seed " << seed_ << ": the second writer's " << what << " failed: " << s.text();
    failed_ = true;
  }

  // The main window made again, told what the last check covered; something falls due at
  // the second before or at the current one, which the earlier check may have covered.
  void Reload() {
    const std::int64_t kind = Draw(0, 2);
    if (kind == 1) MoveClock();
    if (kind == 2) clock_.now = LocalOf(utc_ += Draw(2, 9));
    Note(kind == 2 ? "main window made again seconds later" : "main window made again");
    Append(Draw(-1, 0));
    const local_seconds coveredUntil = check_->lastCovered();
    check_ = std::make_unique<ReminderCheck>(store_, clock_, forms_, coveredUntil);
    model_.emplace(clock_.now, model_->next - 1s);
  }

  bool Tick() {
    ++ticks;
    const std::optional<int> error = outage_ ? outage_ : blip_ ? std::optional(kIoError) : std::nullopt;
    if (error)
      io_.Arm(outage_ ? failAt_ : 1, *error, outage_.has_value());
    else
      io_.Disarm();
    io_.trace.clear();
    const std::vector<std::string> expected =
        model_->Tick(clock_.now, error ? std::optional(Failure(*error)) : std::nullopt, written_);
    got_.clear();
    check_->Tick(*this);
    if (got_ == expected) return true;
    std::string text = "seed " + std::to_string(seed_) + " (" + std::getenv("TZ") + "), tick " + std::to_string(ticks) +
                       " at " + Shown(clock_.now);
    for (const auto& [title, lines] :
         {std::pair{"expected:", &expected}, {"got:", &got_}, {"the last events:", &events_}}) {
      text += std::string("\n  ") + title;
      for (const std::string& line : *lines) text += "\n    " + line;
    }
    ADD_FAILURE() << text << "\n  replay: check_soak --seed=" << seed_ << " --runs=1 --days=" << soakDays;
    return false;
  }

  // A box stays open a while now and then: the clock runs on, something falls due, ticks
  // come and do nothing, and the second writer may change the store meanwhile.
  void Announce(const DueReminder& r) override {
    ++announced;
    got_.push_back(io_.open.empty() ? Line(r.number, r.about, r.task, r.second) : "announced with the store open");
    if (Draw(0, 19) != 0) return;
    const std::int64_t open = Draw(1, 30);
    Note("box of " + Utf16ToUtf8(r.about) + " open for " + std::to_string(open) + " s");
    Append(Draw(1, open));
    for (std::int64_t s = 0; s < open; ++s) {
      clock_.now = LocalOf(++utc_);
      check_->Tick(*this);
    }
    if (Draw(0, 3) == 0) Edit();
  }
  void ReportFailure(const std::string& text) override {
    ++reports;
    got_.push_back("failure: " + text);
  }

  std::uint64_t seed_;
  std::mt19937_64 rng_;
  std::time_t utc_ = 0;
  TempHome home_;
  FaultyFileIo io_;
  ReminderStore store_{io_, home_.home()};
  ReminderStore writer_{OsFileIo::Instance(), home_.home()};
  FakeClock clock_{local_seconds{}};
  FixedForms forms_;
  std::unique_ptr<ReminderCheck> check_;
  std::optional<Model> model_;
  std::vector<Written> written_;
  std::optional<int> outage_;
  int failAt_ = 1, serial_ = 1;
  bool blip_ = false, failed_ = false;
  std::vector<std::string> got_;
  std::vector<std::string> events_;
};

TEST(CheckSoak, EveryTickAnnouncesAndReportsWhatTheModelSays) {
  for (int k = 0; k < runs; ++k) {
    const std::uint64_t seed = firstSeed + k;
    setenv("TZ", seed % 2 ? "Europe/Berlin" : "UTC", 1);
    tzset();
    const auto start = steady_clock::now();
    Soak soak(seed);
    const bool ok = soak.Run();
    std::cout << "seed " << seed << " (" << std::getenv("TZ") << ", " << soakDays << " days): " << soak.ticks
              << " ticks, " << soak.announced << " announced, " << soak.reports << " failures reported, " << soak.edits
              << " edits, " << duration<double>(steady_clock::now() - start).count() << " s" << (ok ? "" : ", FAILED")
              << std::endl;
    if (!ok) return;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    const auto read = [&](const char* form, auto* value) { return std::sscanf(argv[i], form, value) == 1; };
    if (!read("--seed=%" SCNu64, &firstSeed) && !read("--runs=%d", &runs) && !read("--days=%d", &soakDays))
      return std::fprintf(stderr, "usage: check_soak [--seed=N] [--runs=N] [--days=N]\n"), 2;
  }
  return RUN_ALL_TESTS();
}
