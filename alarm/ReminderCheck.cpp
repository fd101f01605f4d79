#include "alarm/ReminderCheck.h"

#include <algorithm>
#include <vector>

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

  std::vector<DueReminder> due;
  Status status = store_.ScanRecordChunks(FileIo::Sharing::Shared, [&](int first, const char* chunk, std::size_t count, std::size_t) {
    // Formed once the store answers: a store out of reach costs no texts at all.
    texts_.Cover(from, now, forms_);
    for (std::size_t i = 0; i < count; ++i) {
      const char* bytes = chunk + i * kRecordSize;
      const local_days* day =
          texts_.DayOf(TrimSpaces(std::string_view(bytes + kDateOffset, ReminderRecord::kDateWidth)));
      if (!day) continue;
      const std::optional<local_seconds> second =
          texts_.SecondOf(*day, TrimSpaces(std::string_view(bytes + kTimeOffset, ReminderRecord::kTimeWidth)));
      if (!second) continue;
      ReminderRecord record = DecodeRecord(bytes);
      due.push_back({*second, first + static_cast<int>(i), std::u16string(TrimSpaces(record.About)),
                     std::u16string(TrimSpaces(record.Task))});
    }
    return true;
  });

  if (!status.ok()) {
    // The seconds stay uncovered, so a passing fault loses nothing; their texts are kept
    // for the next try. A lasting fault is reported once, not at every tick.
    if (reportedFailure_ != status.text()) {
      reportedFailure_ = status.text();
      announcer.ReportFailure(status.text());
    }
    return;
  }
  reportedFailure_.reset();
  lastCovered_ = now;
  texts_.Clear();

  std::stable_sort(due.begin(), due.end(),
                   [](const DueReminder& a, const DueReminder& b) { return a.second < b.second; });
  for (const DueReminder& reminder : due) announcer.Announce(reminder);
}
