#include "os/DateTimeForms.h"

#include <algorithm>
#include <cstdio>
#include <unordered_set>

#include "os/CodePage.h"
#include "os/FormSamples.h"

using namespace std::chrono;

bool Usable(const FormatOf& format, std::size_t width, const std::vector<std::tm>& samples) {
  std::unordered_set<std::u16string> seen;
  for (const std::tm& tm : samples) {
    std::optional<std::u16string> text = format(tm);
    if (!text || text->empty() || text->size() > width || !CodePageHoldsExactly(*text) || !seen.insert(*text).second)
      return false;
  }
  return true;
}

namespace {

// Every day of a leap year, and the last day of each of the other years.
std::vector<std::tm> DaysOfALeapYearAnd(std::initializer_list<int> years) {
  std::vector<std::tm> out;
  const sys_days first{year{2028} / January / 1};
  for (sys_days d = first; d < first + days{366}; d += days{1}) out.push_back(TmOf(year_month_day{d}, seconds{0}));
  for (int y : years) out.push_back(TmOf(year{y} / December / 31, seconds{0}));
  return out;
}

}  // namespace

bool ReadableAsOldDates(const FormatOf& format, std::size_t width) {
  // Years that differ in their last two digits only: a stored date a century away from
  // now names no reminder anyone still waits for.
  return Usable(format, width, DaysOfALeapYearAnd({1999, 2029, 2038}));
}

bool ReadableAsOldTimes(const FormatOf& format, std::size_t width) {
  const year_month_day day = year{2028} / January / 1;
  std::vector<std::tm> minuteStarts;
  for (int m = 0; m < 24 * 60; ++m) minuteStarts.push_back(TmOf(day, minutes{m}));
  if (!Usable(format, width, minuteStarts)) return false;
  for (const std::tm& tm : TimeSamples()) {
    std::tm minuteStart = tm;
    minuteStart.tm_sec = 0;
    if (format(tm) != format(minuteStart)) return false;
  }
  return true;
}

char16_t FixedTimeSeparator(const FormatOf& userForm) {
  const year_month_day day = year{2028} / January / 1;
  std::vector<std::tm> samples = TimeSamples();
  for (int m = 0; m < 24 * 60; ++m) samples.push_back(TmOf(day, minutes{m}));
  std::unordered_set<std::u16string> written;
  for (const std::tm& tm : samples)
    if (std::optional<std::u16string> text = userForm(tm)) written.insert(*text);
  for (char16_t separator : {u':', u'.', u'-'}) {
    const bool shared = std::any_of(samples.begin(), samples.end(), [&](const std::tm& tm) {
      char text[16];
      std::snprintf(text, sizeof text, "%02d%c%02d%c%02d", tm.tm_hour, char(separator), tm.tm_min, char(separator),
                    tm.tm_sec);
      return written.count(std::u16string(text, text + 8)) > 0;
    });
    if (!shared) return separator;
  }
  return u':';
}

std::tm TmOf(year_month_day date, seconds timeOfDay) {
  std::tm tm{};
  tm.tm_year = static_cast<int>(date.year()) - 1900;
  tm.tm_mon = static_cast<int>(static_cast<unsigned>(date.month())) - 1;
  tm.tm_mday = static_cast<int>(static_cast<unsigned>(date.day()));
  tm.tm_wday = static_cast<int>(weekday{sys_days{date}}.c_encoding());
  tm.tm_yday = static_cast<int>((sys_days{date} - sys_days{date.year() / January / 1}).count());
  auto t = timeOfDay.count();
  tm.tm_hour = static_cast<int>(t / 3600);
  tm.tm_min = static_cast<int>(t / 60 % 60);
  tm.tm_sec = static_cast<int>(t % 60);
  return tm;
}

std::vector<std::tm> DateSamples() { return DaysOfALeapYearAnd({1999, 2029, 2038, 2128, 3028}); }

std::vector<std::tm> TimeSamples() {
  std::vector<std::tm> out;
  const year_month_day day = year{2028} / January / 1;
  for (int h = 0; h < 24; ++h)
    for (int s : {0, 59 * 60 + 59}) out.push_back(TmOf(day, seconds{h * 3600 + s}));
  for (int m = 1; m < 60; ++m) out.push_back(TmOf(day, seconds{m * 60}));
  for (int s = 1; s < 60; ++s) out.push_back(TmOf(day, seconds{s}));
  return out;
}

std::optional<year_month_day> DateFromTm(const std::tm& tm) {
  year_month_day date{year{tm.tm_year + 1900}, month{static_cast<unsigned>(tm.tm_mon + 1)},
                      day{static_cast<unsigned>(tm.tm_mday)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::optional<seconds> TimeFromTm(const std::tm& tm) {
  if (tm.tm_hour < 0 || tm.tm_hour > 23 || tm.tm_min < 0 || tm.tm_min > 59 || tm.tm_sec < 0 || tm.tm_sec > 59)
    return std::nullopt;
  return seconds{tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec};
}

std::u16string DateText(year_month_day date) { return DateTimeForms::User().DateText(date); }
std::u16string TimeText(seconds timeOfDay) { return DateTimeForms::User().TimeText(timeOfDay); }
