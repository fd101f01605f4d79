#include "manager/ManagerLogic.h"

#include <algorithm>

using namespace std::chrono;

ReminderState ClassifyReminder(year_month_day date, seconds time, year_month_day today, seconds now) {
  const sys_days d{date}, t{today};
  if (d < t) return ReminderState::Expired;
  if (d == t && time < now) return ReminderState::Expired;
  if (d > t) return ReminderState::Future;
  if (time > now) return ReminderState::Today;
  return ReminderState::DueNow;
}

ManagerGeometry ManagerLayout(int w, int h) {
  ManagerGeometry g;
  g.frameHeight = std::max(0, h - 940);
  g.frameWidth = std::max(0, w - 260);
  g.buttonTop = g.frameHeight + 120;
  g.cancelLeft = w - 1710;
  g.gridHeight = std::max(0, g.frameHeight - 300);
  g.gridWidth = std::max(0, g.frameWidth - 240);
  return g;
}

Status ReminderList::Load(const ReminderStore& store) { return store.CopyRecords(FileIo::Sharing::Shared, records_); }

ManagerRow ReminderList::Row(int number, const DateTimeForms& forms, year_month_day today, seconds now) const {
  const ReminderRecord record = records_.records()[static_cast<std::size_t>(number - 1)].Decode();
  ManagerRow row;
  row.texts = {std::u16string(TrimSpaces(record.About)), std::u16string(TrimSpaces(record.Date)),
               std::u16string(TrimSpaces(record.Time)), std::u16string(TrimSpaces(record.Task))};
  auto date = dates_.find(row.texts[1]);
  if (date == dates_.end()) date = dates_.emplace(row.texts[1], forms.ReadDate(row.texts[1])).first;
  auto time = times_.find(row.texts[2]);
  if (time == times_.end()) time = times_.emplace(row.texts[2], forms.ReadTime(row.texts[2])).first;
  // The check announces only texts that read back: any other row has no moment left.
  row.state = date->second && time->second ? ClassifyReminder(*date->second, *time->second, today, now)
                                           : ReminderState::Expired;
  return row;
}
