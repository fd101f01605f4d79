#pragma once

#include <optional>
#include <string>
#include <string_view>

// The quick reminder dialog's logic: which keys its minutes box takes, and the moment
// a number of minutes from now. No window is needed.

// The typed character code unchanged, or 0 to drop it: letters a-z and A-Z are
// dropped, everything else (digits, punctuation, space, control keys) passes.
int FilterMinuteKey(int code);

// The minutes a minutes text asks for: a whole number from 0 to 99 (blanks around it
// allowed). Empty for anything else, including pasted text the key filter never saw.
std::optional<int> ReadQuickMinutes(std::u16string_view minutesText);

// The hour, minute and second texts for the new reminder dialog (plain decimal, no
// leading zeros) and how many days after today the moment falls.
struct QuickTime {
  std::u16string hour;
  std::u16string minute;
  std::u16string second;
  int daysLater = 0;

  bool operator==(const QuickTime&) const = default;
};

// The start of the current minute (hour 0-23, minute 0-59) plus the minutes of the
// text, carried into hours and past midnight into the next day. Empty when the text
// is not a whole number from 0 to 99.
std::optional<QuickTime> QuickReminderTime(int hour, int minute, std::u16string_view minutesText);
