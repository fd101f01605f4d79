#include "alarm/ReminderCheck.h"

#include <algorithm>
#include <vector>

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

ReminderCheck::ReminderCheck(const ReminderStore& store, const Clock& clock, const DateTimeForms& forms,
                             std::optional<local_seconds> coveredUntil)
    : store_(store), clock_(clock), forms_(forms), lastCovered_(clock.Now() - seconds{1}) {
  // Only the current second can have been covered already; nothing earlier is caught up.
  if (coveredUntil && *coveredUntil == lastCovered_ + seconds{1}) lastCovered_ = *coveredUntil;
}

void ReminderCheck::Tick(ReminderAnnouncer& announcer) {
  if (busy_) return;
  BusyScope busy(busy_);

  const local_seconds now = clock_.Now();
  if (now == lastCovered_) return;  // this second was covered already
  // A clock set back restarts coverage at the current second, even on a tick the store
  // fails: the restart stays, so the first good tick covers every second from it on.
  if (now < lastCovered_) lastCovered_ = now - seconds{1};
  const local_seconds from = lastCovered_ + seconds{1};

  std::vector<DueReminder> due;
  Status status = store_.ScanRecordChunks(FileIo::Sharing::Shared, [&](int number, RecordSpan records) {
    // Formed once the store answers: a store out of reach costs no texts at all.
    texts_.Cover(from, now, forms_);
    for (RecordView record : records) {
      // Most records fall on other days: their Time is never looked at.
      if (const local_days* day = texts_.DayOf(record)) {
        if (const std::optional<local_seconds> second = texts_.SecondOf(*day, record.time())) {
          const ReminderRecord whole = record.Decode();
          due.push_back(
              {*second, number, std::u16string(TrimSpaces(whole.About)), std::u16string(TrimSpaces(whole.Task))});
        }
      }
      ++number;
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
