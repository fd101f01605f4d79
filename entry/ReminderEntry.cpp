#include "entry/ReminderEntry.h"

#include <cstdint>
#include <limits>

#include "os/CodePage.h"
#include "os/Trim.h"

using namespace std::chrono;

namespace {

bool InRange(std::u16string_view text, int low, int high) {
  std::optional<int> n = ReadWholeNumber(text);
  return n && *n >= low && *n <= high;
}

}  // namespace

std::optional<int> ReadWholeNumber(std::u16string_view text) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
    negative = text.front() == u'-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  long value = 0;
  for (char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > 32768) return std::nullopt;  // beyond 16 bits either way
  }
  if (negative) value = -value;
  if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
    return std::nullopt;
  return static_cast<int>(value);
}

bool TimeFieldsInRange(std::u16string_view hour, std::u16string_view minute, std::u16string_view second) {
  return InRange(hour, 0, 23) && InRange(minute, 0, 59) && InRange(second, 0, 59);
}

std::u16string ComposeTimeText(std::u16string_view hour, std::u16string_view minute, std::u16string_view second) {
  std::u16string text(hour);
  text += u':';
  text += minute;
  text += u':';
  text += second;
  return text;
}

std::optional<seconds> ReadTimeOfDay(std::u16string_view composed) {
  std::u16string_view parts[3];
  for (int i = 0; i < 3; ++i) {
    std::size_t colon = composed.find(u':');
    if ((i < 2) == (colon == std::u16string_view::npos)) return std::nullopt;
    parts[i] = composed.substr(0, colon);
    composed = i < 2 ? composed.substr(colon + 1) : std::u16string_view();
  }
  if (!TimeFieldsInRange(parts[0], parts[1], parts[2])) return std::nullopt;
  return hours{*ReadWholeNumber(parts[0])} + minutes{*ReadWholeNumber(parts[1])} + seconds{*ReadWholeNumber(parts[2])};
}

bool IsOlderThanNow(year_month_day chosenDate, seconds chosenTime, year_month_day today, seconds now) {
  if (sys_days{chosenDate} < sys_days{today}) return true;
  return chosenDate == today && chosenTime < now;
}

std::u16string ChosenTask(bool taskTicked, std::u16string_view pathCaption) {
  if (!taskTicked || pathCaption == kPathPlaceholder) return {};
  return std::u16string(pathCaption);
}

ReminderRecord ComposeReminderRecord(std::u16string_view about, year_month_day chosenDate, seconds chosenTime,
                                     bool taskTicked, std::u16string_view pathCaption, const DateTimeForms& forms) {
  return MakeRecord(about, forms.DateText(chosenDate), forms.TimeText(chosenTime), ChosenTask(taskTicked, pathCaption));
}

TaskPathFit FitOfTaskPath(std::u16string_view path) {
  if (!CodePageHoldsExactly(path)) return TaskPathFit::OutsideCodePage;
  if (path.size() > ReminderRecord::kTaskWidth) return TaskPathFit::TooLong;
  return TaskPathFit::Fits;
}

std::u16string TaskPathRefusalText(std::u16string_view path) {
  std::u16string why;
  switch (FitOfTaskPath(path)) {
    case TaskPathFit::Fits:
      return {};
    case TaskPathFit::OutsideCodePage:
      why = u"its path holds characters that the reminder file cannot store";
      break;
    case TaskPathFit::TooLong:
      why = u"its path is longer than the 255 characters the reminder file can store";
      break;
  }
  return u"The program cannot be set as this reminder's task: " + why + u".\n\n" + std::u16string(path) +
         u"\n\nChoose a program with a shorter or plainer path, or untick the box. "
         u"Nothing has been saved.";
}
