#pragma once

#include "store/ReminderStore.h"

// A row of the manager's list as the edit dialog receives it: its number, which is the
// record it showed, its four texts as shown, and which of the rows showing the same
// texts it was (1 for the first), so that of two alike reminders only the one chosen
// changes.
struct ShownRow {
  int number = 0;
  ShownTexts texts;
  int occurrence = 1;
};
