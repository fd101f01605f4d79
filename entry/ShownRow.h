#pragma once

#include "store/ReminderStore.h"

// A row of the manager's list as the edit dialog receives it: its number, which is the
// record it showed, and its four texts as shown.
struct ShownRow {
  int number = 0;
  ShownTexts texts;
};
