#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "os/DateTimeForms.h"
#include "store/ReminderRecord.h"

// What the new and edit reminder dialogs share: reading the hour, minute and second
// boxes, the "older than now" test and the record they write. No window is needed.

// The caption of the path label while no program has been chosen; it is never stored.
inline constexpr std::u16string_view kPathPlaceholder = u"path of the application task";

// The number a box text reads as: an optional sign and decimal digits, with blanks
// (spaces, tabs) around them, within 16 bits. Empty for anything else.
std::optional<int> ReadWholeNumber(std::u16string_view text);

// True when the hour text is a whole number from 0 to 23 and the minute and second
// texts are whole numbers from 0 to 59. Blanks around a number are allowed; anything
// else ("", "HH", letters, "5.5") fails, as does a number beyond 16 bits.
bool TimeFieldsInRange(std::u16string_view hour, std::u16string_view minute, std::u16string_view second);

// The three texts joined as they stand: "9", "5", "0" give "9:5:0".
std::u16string ComposeTimeText(std::u16string_view hour, std::u16string_view minute, std::u16string_view second);

// Reads a composed "hour:minute:second" text as a time of day; empty when it is not
// three numbers in range (so exactly when `TimeFieldsInRange` of the parts is false).
std::optional<std::chrono::seconds> ReadTimeOfDay(std::u16string_view composed);

// True when the chosen moment lies before now: an earlier date, or today at an earlier
// second. The current second itself is not older.
bool IsOlderThanNow(std::chrono::year_month_day chosenDate, std::chrono::seconds chosenTime,
                    std::chrono::year_month_day today, std::chrono::seconds now);

// The task a dialog stores: the path caption when the box is ticked and a program was
// chosen (the caption differs from the placeholder, case-sensitively), else nothing.
std::u16string ChosenTask(bool taskTicked, std::u16string_view pathCaption);

// The record a dialog writes: the About text, the date and time in the store's text
// forms (never the box texts), and the chosen task, each fitted to its field.
ReminderRecord ComposeReminderRecord(std::u16string_view about, std::chrono::year_month_day chosenDate,
                                     std::chrono::seconds chosenTime, bool taskTicked, std::u16string_view pathCaption,
                                     const DateTimeForms& forms = DateTimeForms::User());

// Whether a task path survives the store unchanged. A path the code page cannot hold,
// or one longer than the field, would be stored mangled and silently never open.
enum class TaskPathFit { Fits, OutsideCodePage, TooLong };
TaskPathFit FitOfTaskPath(std::u16string_view path);

// The message that refuses a task path that does not fit; empty when it fits.
std::u16string TaskPathRefusalText(std::u16string_view path);
