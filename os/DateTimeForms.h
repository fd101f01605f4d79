#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// The text forms of dates and times that the store keeps and the check compares:
// the user's short date and long time (with seconds). Where the user's form would not
// fit its field (10 and 11 characters) or the store's code page, or would give two days
// or two seconds of a day the same text, a fixed form is used instead (month/day/year
// and 24-hour time, its parts apart by ':', or by '.' where the user's own form writes
// such texts), so every stored text reads back and stands for one moment.
class DateTimeForms {
 public:
  static constexpr std::size_t kDateWidth = 10;
  static constexpr std::size_t kTimeWidth = 11;

  virtual ~DateTimeForms() = default;

  virtual std::u16string DateText(std::chrono::year_month_day date) const = 0;
  virtual std::u16string TimeText(std::chrono::seconds timeOfDay) const = 0;
  // Reading text back as a date or a time uses the same forms; surrounding spaces and
  // letter case do not matter.
  // Texts in the old forms (below) read back too: a time as the first second of its
  // minute.
  virtual std::optional<std::chrono::year_month_day> ReadDate(std::u16string_view text) const = 0;
  virtual std::optional<std::chrono::seconds> ReadTime(std::u16string_view text) const = 0;

  // Older installations wrote the user's own forms also where two days or two seconds
  // of a day share a text, and their stores still hold such texts. Where the user's form
  // is set aside only for that, it stays the old form, as long as its texts still stand
  // for one moment each: a date form that tells the days of a century apart (a year of
  // two digits), a time form that tells the minutes of a day apart and gives every
  // second its minute's text (no seconds). A 12-hour time without AM and PM does not:
  // its texts are never read. Empty where there is no old form.
  virtual std::optional<std::u16string> OldDateText(std::chrono::year_month_day) const { return std::nullopt; }
  // The old text of the minute that holds `timeOfDay`.
  virtual std::optional<std::u16string> OldTimeText(std::chrono::seconds) const { return std::nullopt; }

  // The forms of the user's settings (the environment's LC_TIME on Linux, the user's
  // defaults on Windows). Made once per process.
  static const DateTimeForms& User();
#ifndef _WIN32
  // The forms of a named locale ("C", "de_DE.UTF-8"); empty when it is not installed.
  static std::unique_ptr<DateTimeForms> ForLocale(const char* name);
  // The same with the locale's date and time formats (strftime) replaced by these.
  static std::unique_ptr<DateTimeForms> ForFormats(const char* name, const char* dateFormat, const char* timeFormat);
#endif
};

std::u16string DateText(std::chrono::year_month_day date);
std::u16string TimeText(std::chrono::seconds timeOfDay);
