#pragma once

#include <chrono>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What the POSIX and the Windows date and time forms share: the samples a form must
// tell apart, and the conversions between the calendar types and struct tm.

// A form's text of one moment; empty when the form cannot write it.
using FormatOf = std::function<std::optional<std::u16string>(const std::tm&)>;

// A form is usable when every sample fits the field and the code page, and no two
// samples share a text: a text that stood for two moments would fire a reminder at each.
bool Usable(const FormatOf& format, std::size_t width, const std::vector<std::tm>& samples);

// Whether a form set aside by `Usable` can still be read as an old form: every sample
// fits, and a date form tells the days of a century apart, a time form every minute of a
// day, with the seconds of a minute sharing its text.
bool ReadableAsOldDates(const FormatOf& format, std::size_t width);
bool ReadableAsOldTimes(const FormatOf& format, std::size_t width);

// The separator of the fixed time form that replaces the user's set-aside one: ':'
// (HH:MM:SS), else '.' or '-', the first whose texts the user's form never writes. A
// 12-hour form without AM and PM writes "06:05:03" for 18:05:03: a fixed form that
// wrote the same text for 06:05:03 would announce an older installation's reminder at
// a moment nobody chose.
char16_t FixedTimeSeparator(const FormatOf& userForm);

// Every day of a leap year, and the last day of years that differ from it in one digit
// each: a form must tell every day apart, years included.
std::vector<std::tm> DateSamples();

// Every hour at both ends of its range, every minute and every second: a form must tell
// them all apart, so one without seconds, or a 12-hour clock without AM and PM, is not
// usable. (All 86,400 seconds of a day would be too many texts to make at start-up.)
std::vector<std::tm> TimeSamples();

std::tm TmOf(std::chrono::year_month_day date, std::chrono::seconds timeOfDay);
std::optional<std::chrono::year_month_day> DateFromTm(const std::tm& tm);
std::optional<std::chrono::seconds> TimeFromTm(const std::tm& tm);
