#pragma once

#include <cstdio>

#include "platform/DateTimeForms.h"

// Date and time forms that do not depend on the user's settings or the OS: MM/DD/YYYY
// and HH:MM:SS, for tests of the check and the count, which only compare texts.
class FixedForms final : public DateTimeForms {
 public:
  std::u16string DateText(std::chrono::year_month_day date) const override {
    char text[32];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d", static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), static_cast<int>(date.year()));
    return Widen(text);
  }
  std::u16string TimeText(std::chrono::seconds timeOfDay) const override {
    const int t = static_cast<int>(timeOfDay.count() % 86400);
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", t / 3600, t / 60 % 60, t % 60);
    return Widen(text);
  }
  std::optional<std::chrono::year_month_day> ReadDate(std::u16string_view text) const override {
    unsigned m = 0, d = 0;
    int y = 0;
    const std::string narrow(text.begin(), text.end());
    if (std::sscanf(narrow.c_str(), "%2u/%2u/%4d", &m, &d, &y) != 3) return std::nullopt;
    std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{m}, std::chrono::day{d}};
    if (!date.ok() || DateText(date) != text) return std::nullopt;
    return date;
  }
  std::optional<std::chrono::seconds> ReadTime(std::u16string_view text) const override {
    int h = 0, m = 0, s = 0;
    const std::string narrow(text.begin(), text.end());
    if (std::sscanf(narrow.c_str(), "%2d:%2d:%2d", &h, &m, &s) != 3) return std::nullopt;
    std::chrono::seconds t{h * 3600 + m * 60 + s};
    if (h > 23 || m > 59 || s > 59 || TimeText(t) != text) return std::nullopt;
    return t;
  }

 private:
  static std::u16string Widen(const char* text) {
    return std::u16string(text, text + std::char_traits<char>::length(text));
  }
};
