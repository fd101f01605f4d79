#pragma once

#include <chrono>

#include "os/DateTimeForms.h"
#include "store/ReminderStore.h"
#include "store/Status.h"

// How many records are dated today (trimmed Date equal to today's date text, or to its
// old text, ignoring case), whether or not their time has passed. Today is read once, so a count running
// across midnight still counts one day.
Status CountTodaysReminders(const ReminderStore& store, std::chrono::year_month_day today, int& count,
                            const DateTimeForms& forms = DateTimeForms::User());
