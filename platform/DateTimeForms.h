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
// and 24-hour time), so every stored text reads back and stands for one moment.
class DateTimeForms {
 public:
  static constexpr std::size_t kDateWidth = 10;
  static constexpr std::size_t kTimeWidth = 11;

  virtual ~DateTimeForms() = default;

  virtual std::u16string DateText(std::chrono::year_month_day date) const = 0;
  virtual std::u16string TimeText(std::chrono::seconds timeOfDay) const = 0;
  // Reading text back as a date or a time uses the same forms; surrounding spaces and
  // letter case do not matter.
  virtual std::optional<std::chrono::year_month_day> ReadDate(std::u16string_view text) const = 0;
  virtual std::optional<std::chrono::seconds> ReadTime(std::u16string_view text) const = 0;

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
