#include "entry/QuickReminder.h"

#include "entry/ReminderEntry.h"

namespace {
std::u16string Decimal(int n) {
  std::string digits = std::to_string(n);
  return std::u16string(digits.begin(), digits.end());
}
}  // namespace

int FilterMinuteKey(int code) {
  if ((code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z')) return 0;
  return code;
}

std::optional<int> ReadQuickMinutes(std::u16string_view minutesText) {
  // A sign is not part of a count of minutes.
  for (char16_t c : minutesText)
    if (c == u'+' || c == u'-') return std::nullopt;
  std::optional<int> n = ReadWholeNumber(minutesText);
  if (!n || *n < 0 || *n > 99) return std::nullopt;
  return n;
}

std::optional<QuickTime> QuickReminderTime(int hour, int minute, std::u16string_view minutesText) {
  std::optional<int> n = ReadQuickMinutes(minutesText);
  if (!n) return std::nullopt;
  constexpr int kMinutesADay = 24 * 60;
  const int total = hour * 60 + minute + *n;
  const int ofDay = total % kMinutesADay;
  return QuickTime{Decimal(ofDay / 60), Decimal(ofDay % 60), u"0", total / kMinutesADay};
}
