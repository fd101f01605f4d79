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
