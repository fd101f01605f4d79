#include "shell/ReminderCount.h"

#include <optional>

#include "os/CodePage.h"
#include "store/DateKey.h"

Status CountTodaysReminders(const ReminderStore& store, std::chrono::year_month_day today, int& count,
                            const DateTimeForms& forms) {
  const DateKey todayText(EncodeSingleByte(TrimSpaces(forms.DateText(today))));
  const std::optional<std::u16string> old = forms.OldDateText(today);
  const std::optional<DateKey> oldTodayText =
      old ? std::optional<DateKey>(EncodeSingleByte(TrimSpaces(*old))) : std::nullopt;
  int n = 0;
  Status status = store.ScanRecordChunks(FileIo::Sharing::Shared, [&](int, RecordSpan records) {
    for (RecordView record : records)
      if (todayText.Matches(record) || (oldTodayText && oldTodayText->Matches(record))) ++n;
    return true;
  });
  if (status.ok()) count = n;
  return status;
}
