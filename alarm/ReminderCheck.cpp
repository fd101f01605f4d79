#include "alarm/ReminderCheck.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/CodePage.h"
#include "store/TextFold.h"

using namespace std::chrono;

namespace {

// Restores the busy flag however the tick ends.
class BusyScope {
 public:
  explicit BusyScope(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyScope() { flag_ = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  bool& flag_;
};

// The stored byte form of a clock text, folded for comparison.
std::string Key(std::u16string_view text) {
  return ByteFold::ForCodePage().Folded(TrimSpaces(std::string_view(EncodeSingleByte(TrimSpaces(text)))));
}

// The covered seconds as texts: each covered day's date text, and the time text of
// each covered second of the day.
struct CoveredTexts {
  std::vector<std::pair<std::string, local_days>> dates;
  std::unordered_map<std::string, seconds> times;
};

CoveredTexts TextsFor(local_seconds from, local_seconds to, const DateTimeForms& forms) {
  CoveredTexts texts;
  for (local_days d = floor<days>(from); d <= floor<days>(to); d += days{1})
    texts.dates.emplace_back(Key(forms.DateText(year_month_day{d})), d);
  auto addTime = [&](seconds tod) { texts.times.emplace(Key(forms.TimeText(tod)), tod); };
  if (to - from >= days{1} - seconds{1}) {
    for (seconds tod{0}; tod < days{1}; ++tod) addTime(tod);
  } else {
    for (local_seconds t = from; t <= to; ++t) addTime(TimeOfDayOf(t));
  }
  return texts;
}

}  // namespace

bool ReminderMatchesNow(const ReminderRecord& record, std::u16string_view dateText,
                        std::u16string_view timeText) {
  return EqualIgnoringCase(TrimSpaces(record.Date), TrimSpaces(dateText)) &&
         EqualIgnoringCase(TrimSpaces(record.Time), TrimSpaces(timeText));
}

ReminderCheck::ReminderCheck(const ReminderStore& store, const Clock& clock,
                             const DateTimeForms& forms, std::optional<local_seconds> coveredUntil)
    : store_(store), clock_(clock), forms_(forms), lastCovered_(clock.Now() - seconds{1}) {
  // Only the current second can have been covered already; nothing earlier is caught up.
  if (coveredUntil && *coveredUntil == lastCovered_ + seconds{1}) lastCovered_ = *coveredUntil;
}

void ReminderCheck::Tick(ReminderAnnouncer& announcer) {
  if (busy_) return;
  BusyScope busy(busy_);

  const local_seconds now = clock_.Now();
  if (now == lastCovered_) return;  // this second was covered already
  // A clock set back restarts coverage at the current second.
  const local_seconds from = now < lastCovered_ ? now : lastCovered_ + seconds{1};

  const CoveredTexts texts = TextsFor(from, now, forms_);
  const ByteFold& fold = ByteFold::ForCodePage();
  std::vector<DueReminder> due;
  std::string timeKey;
  Status status = store_.ScanRecordChunks(FileIo::Sharing::Shared, [&](int first, const char* chunk, std::size_t count, std::size_t) {
    for (std::size_t i = 0; i < count; ++i) {
      const char* bytes = chunk + i * kRecordSize;
      std::string_view date = TrimSpaces(std::string_view(bytes + kDateOffset, ReminderRecord::kDateWidth));
      auto day = std::find_if(texts.dates.begin(), texts.dates.end(),
                              [&](const auto& entry) { return fold.Equal(date, entry.first); });
      if (day == texts.dates.end()) continue;
      timeKey = fold.Folded(TrimSpaces(std::string_view(bytes + kTimeOffset, ReminderRecord::kTimeWidth)));
      auto time = texts.times.find(timeKey);
      if (time == texts.times.end()) continue;
      const local_seconds second = day->second + time->second;
      if (second < from || second > now) continue;
      ReminderRecord record = DecodeRecord(bytes);
      due.push_back({second, first + static_cast<int>(i), std::u16string(TrimSpaces(record.About)),
                     std::u16string(TrimSpaces(record.Task))});
    }
    return true;
  });

  if (!status.ok()) {
    // The seconds stay uncovered, so a passing fault loses nothing. A lasting fault is
    // reported once, not at every tick.
    if (reportedFailure_ != status.text()) {
      reportedFailure_ = status.text();
      announcer.ReportFailure(status.text());
    }
    return;
  }
  reportedFailure_.reset();
  lastCovered_ = now;

  std::stable_sort(due.begin(), due.end(),
                   [](const DueReminder& a, const DueReminder& b) { return a.second < b.second; });
  for (const DueReminder& reminder : due) announcer.Announce(reminder);
}
