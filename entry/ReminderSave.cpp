#include "entry/ReminderSave.h"

#include <QPushButton>

#include "entry/EntryControls.h"
#include "entry/ReminderEntry.h"
#include "ui/QtText.h"

using namespace std::chrono;

void SaveReminder(Services& services, const ReminderInputs& inputs, const ReminderSaving& saving) {
  const local_seconds now = services.clock.Now();
  // Boxes edited after the button was enabled may no longer form a time: such a press
  // is refused like a past moment.
  const std::optional<seconds> time = ReadTimeOfDay(
      ComposeTimeText(inputs.hour.toStdU16String(), inputs.minute.toStdU16String(), inputs.second.toStdU16String()));
  if (!time || IsOlderThanNow(inputs.date, *time, DateOf(now), TimeOfDayOf(now))) {
    services.messages.Show(saving.dialog, {kOldMomentText, kOldMomentTitle, MessageButtons::Ok, MessageIcon::Critical});
    saving.saveButton->setEnabled(false);
    return;
  }

  const std::u16string caption = inputs.pathCaption.toStdU16String();
  // A path the store would mangle could never be opened: refuse it before writing.
  const std::u16string refusal = TaskPathRefusalText(ChosenTask(inputs.taskTicked, caption));
  if (!refusal.empty()) {
    services.messages.Show(saving.dialog,
                           {FromStd(refusal), kProgramTitle, MessageButtons::Ok, MessageIcon::Exclamation});
    return;
  }

  const ReminderRecord record = ComposeReminderRecord(inputs.about.toStdU16String(), inputs.date, *time,
                                                      inputs.taskTicked, caption, services.forms);
  const Status status = saving.write(record);
  if (!status.ok()) {
    services.messages.Show(saving.dialog,
                           {FromUtf8(status.text()), "File error!", MessageButtons::Ok, MessageIcon::Critical});
    return;
  }
  services.messages.Show(saving.dialog,
                         {"Reminder is set", kProgramTitle, MessageButtons::Ok, MessageIcon::Information});
  saving.close();
}
