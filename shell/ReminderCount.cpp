#include "shell/ReminderCount.h"

#include "platform/CodePage.h"
#include "store/TextFold.h"

Status CountTodaysReminders(const ReminderStore& store, std::chrono::year_month_day today,
                            int& count, const DateTimeForms& forms) {
  const ByteFold& fold = ByteFold::ForCodePage();
  const std::string todayText = EncodeSingleByte(TrimSpaces(forms.DateText(today)));
  int n = 0;
  Status status = store.ScanRecordChunks(FileIo::Sharing::Shared, [&](int, const char* chunk, std::size_t records, std::size_t) {
    for (const char* bytes = chunk; bytes < chunk + records * kRecordSize; bytes += kRecordSize)
      if (fold.Equal(TrimSpaces(std::string_view(bytes + kDateOffset, ReminderRecord::kDateWidth)), todayText)) ++n;
    return true;
  });
  if (status.ok()) count = n;
  return status;
}
