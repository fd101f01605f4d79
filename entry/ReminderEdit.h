#pragma once

#include <string_view>

#include "store/ReminderStore.h"
#include "store/Status.h"

// The record the edit dialog rewrites: the row the user selected in the manager, when
// that record still has the About text read from the row (trimmed, ignoring case), so
// that of two reminders with the same text the selected one is changed. When the store
// has changed meanwhile, the first record with that About text; 0 when none has it.
Status FindRecordToEdit(const ReminderStore& store, int selectedRow, std::u16string_view about,
                        int& number);
