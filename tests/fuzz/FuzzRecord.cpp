// Any bytes as a store: the scan, the count and the check read them without a crash and
// hand over only whole records, each field exactly its width.
#include <cstdint>
#include <cstdlib>

#include "alarm/ReminderCheck.h"
#include "shell/ReminderCount.h"
#include "store/TempHome.h"

using namespace std::chrono;

struct FixedClock final : Clock {
  local_seconds Now() const override { return local_days{year{2026} / 12 / 6} + hours{18} + minutes{5}; }
};
struct Quiet final : ReminderAnnouncer {
  void Announce(const DueReminder& r) override {
    if (r.about.size() > ReminderRecord::kAboutWidth || r.task.size() > ReminderRecord::kTaskWidth) std::abort();
  }
  void ReportFailure(const std::string&) override { std::abort(); }
};

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto forms = DateTimeForms::ForLocale("C");
  static const TempHome home;  // the bytes go through the real file calls, as the program reads them
  home.WriteStore(std::string(reinterpret_cast<const char*>(data), size));
  ReminderStore store(OsFileIo::Instance(), home.home());
  int seen = 0;
  Status s = store.ScanReminders(FileIo::Sharing::Shared, [&](int n, const ReminderRecord& r) {
    if (n != ++seen || r.About.size() != ReminderRecord::kAboutWidth || r.Date.size() != ReminderRecord::kDateWidth ||
        r.Time.size() != ReminderRecord::kTimeWidth || r.Task.size() != ReminderRecord::kTaskWidth)
      std::abort();
    return true;
  });
  if (!s.ok() || static_cast<std::size_t>(seen) != std::min<std::size_t>(size / kRecordSize, 32767)) std::abort();
  int count = -1;
  if (!CountTodaysReminders(store, year{2026} / 12 / 6, count, *forms).ok() || count > seen) std::abort();
  Quiet quiet;
  ReminderCheck(store, FixedClock{}, *forms).Tick(quiet);
  return 0;
}
