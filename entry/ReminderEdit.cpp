#include "entry/ReminderEdit.h"

Status FindRecordToEdit(const ReminderStore& store, int selectedRow, std::u16string_view about,
                        int& number) {
  number = 0;
  int firstMatch = 0;
  Status status = store.ScanReminders(FileIo::Sharing::Plain, [&](int n, const ReminderRecord& record) {
    if (AboutMatches(record, about)) {
      if (n == selectedRow) {
        number = n;
        return false;
      }
      if (firstMatch == 0) firstMatch = n;
    }
    // Past the selected row, only a first match is still wanted.
    return n < selectedRow || firstMatch == 0;
  });
  if (status.ok() && number == 0) number = firstMatch;
  return status;
}
