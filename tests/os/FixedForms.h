#pragma once

#include <cstdio>

#include "os/DateTimeForms.h"

// Date and time forms that do not depend on the user's settings or the OS: MM/DD/YYYY
// and HH:MM:SS, for tests of the check and the count, which only compare texts. A text
// reads back only as these forms write it. With `old`, an older installation's forms
// beside them: day.month.two-digit-year and hour:minute. `formed` counts the texts formed.
class FixedForms final : public DateTimeForms {
 public:
  std::u16string DateText(std::chrono::year_month_day d) const override {
    ++formed;
    char text[32];
    const int n =
        std::snprintf(text, sizeof text, "%02u/%02u/%04d", unsigned(d.month()), unsigned(d.day()), int(d.year()));
    return std::u16string(text, text + n);
  }
  std::u16string TimeText(std::chrono::seconds timeOfDay) const override {
    ++formed;
    const int t = static_cast<int>(timeOfDay.count() % 86400);
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%02d:%02d:%02d", t / 3600, t / 60 % 60, t % 60);
    return std::u16string(text, text + n);
  }
  std::optional<std::chrono::year_month_day> ReadDate(std::u16string_view text) const override {
    unsigned m = 0, d = 0, y = 0;  // what is not read stays 0, which writes back otherwise
    std::sscanf(std::string(text.begin(), text.end()).c_str(), "%2u/%2u/%4u", &m, &d, &y);
    const std::chrono::year_month_day date{std::chrono::year(int(y)), std::chrono::month(m), std::chrono::day(d)};
    return date.ok() && DateText(date) == text ? std::optional(date) : std::nullopt;
  }
  std::optional<std::chrono::seconds> ReadTime(std::u16string_view text) const override {
    int h = 0, m = 0, s = 0;
    std::sscanf(std::string(text.begin(), text.end()).c_str(), "%2d:%2d:%2d", &h, &m, &s);
    const std::chrono::seconds t{h * 3600 + m * 60 + s};
    return h < 24 && m < 60 && s < 60 && TimeText(t) == text ? std::optional(t) : std::nullopt;
  }
  std::optional<std::u16string> OldDateText(std::chrono::year_month_day d) const override {
    if (!old) return std::nullopt;
    const std::u16string mdy = DateText(d);
    return mdy.substr(3, 2) + u"." + mdy.substr(0, 2) + u"." + mdy.substr(8, 2);
  }
  std::optional<std::u16string> OldTimeText(std::chrono::seconds timeOfDay) const override {
    return old ? std::optional(TimeText(timeOfDay).substr(0, 5)) : std::nullopt;
  }
  bool old = false;
  mutable int formed = 0;
};
