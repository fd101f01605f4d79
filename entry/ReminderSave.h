#pragma once

#include <QString>
#include <chrono>
#include <functional>

#include "store/ReminderRecord.h"
#include "store/Status.h"
#include "ui/Services.h"

class QPushButton;
class QWidget;

// What a reminder dialog holds when its save button is pressed.
struct ReminderInputs {
  QString about;
  std::chrono::year_month_day date;
  QString hour;
  QString minute;
  QString second;
  bool taskTicked = false;
  QString pathCaption;
};

// How the new reminder and edit dialogs differ when they save: the button that a past
// moment locks again, how the record is written, and how the dialog closes.
struct ReminderSaving {
  QWidget* dialog = nullptr;
  QPushButton* saveButton = nullptr;
  std::function<Status(const ReminderRecord&)> write;
  std::function<void()> close;
};

// The save of both dialogs: refuses a time that is no time or older than now, and a task
// path the store would mangle; writes the record (the store tells who listens);
// confirms and closes the dialog. A failed write leaves the dialog open with its inputs.
void SaveReminder(Services& services, const ReminderInputs& inputs, const ReminderSaving& saving);
