// windows.h first: oleauto.h relies on its types.
#include <windows.h>

#include <oleauto.h>

#include <array>
#include <cmath>

#include "os/DateTimeForms.h"
#include "os/FormSamples.h"
#include "os/Trim.h"

using namespace std::chrono;

namespace {

std::u16string Trimmed(const wchar_t* text) {
  return std::u16string(TrimSpaces(reinterpret_cast<const char16_t*>(text)));
}

SYSTEMTIME SystemTimeOf(const std::tm& tm) {
  SYSTEMTIME st{};
  st.wYear = static_cast<WORD>(tm.tm_year + 1900);
  st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
  st.wDay = static_cast<WORD>(tm.tm_mday);
  st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
  st.wHour = static_cast<WORD>(tm.tm_hour);
  st.wMinute = static_cast<WORD>(tm.tm_min);
  st.wSecond = static_cast<WORD>(tm.tm_sec);
  return st;
}

// The user's defaults through GetDateFormatEx/GetTimeFormatEx; fixed pictures where
// those would not fit.
class WindowsForms final : public DateTimeForms {
 public:
  WindowsForms() {
    const FormatOf userDate = [](const std::tm& tm) { return Date(tm, nullptr); };
    if (!Usable(userDate, kDateWidth, DateSamples())) {
      datePicture_ = L"MM/dd/yyyy";
      oldDates_ = ReadableAsOldDates(userDate, kDateWidth);
    }
    const FormatOf userTime = [](const std::tm& tm) { return Time(tm, nullptr); };
    if (!Usable(userTime, kTimeWidth, TimeSamples())) {
      timeSeparator_ = FixedTimeSeparator(userTime);
      timePicture_ = timeSeparator_ == u'.' ? L"HH.mm.ss" : timeSeparator_ == u'-' ? L"HH-mm-ss" : L"HH:mm:ss";
      oldTimes_ = ReadableAsOldTimes(userTime, kTimeWidth);
    }
  }

  std::u16string DateText(year_month_day date) const override {
    return Date(TmOf(date, seconds{0}), datePicture_).value_or(u"");
  }
  std::u16string TimeText(seconds timeOfDay) const override {
    return Time(TmOf(year{2000} / January / 1, timeOfDay), timePicture_).value_or(u"");
  }
  // A date text holds no time of day, and a time text no date: the OLE conversion reads
  // a text without a date as day 0 (12/30/1899), and one without a time as midnight.
  std::optional<year_month_day> ReadDate(std::u16string_view text) const override {
    std::tm tm{};
    if (datePicture_) {
      // The fixed form is read as what it is, whatever order the user's settings have.
      if (auto mdy = ThreeNumbers(text, u'/', true)) {
        tm.tm_mon = (*mdy)[0] - 1;
        tm.tm_mday = (*mdy)[1];
        tm.tm_year = (*mdy)[2] - 1900;
        return DateFromTm(tm);
      }
      if (!oldDates_) return std::nullopt;  // else the user's own form, as the old one
    }
    DATE value = 0;
    if (!ParseVariant(text, tm, value) || value == 0 || value != std::trunc(value)) return std::nullopt;
    return DateFromTm(tm);
  }
  std::optional<seconds> ReadTime(std::u16string_view text) const override {
    std::tm tm{};
    if (timePicture_) {
      if (auto hms = ThreeNumbers(text, timeSeparator_, false)) {
        tm.tm_hour = (*hms)[0];
        tm.tm_min = (*hms)[1];
        tm.tm_sec = (*hms)[2];
        return TimeFromTm(tm);
      }
      if (!oldTimes_) return std::nullopt;
    }
    DATE value = 0;
    if (!ParseVariant(text, tm, value) || value < 0 || value >= 1) return std::nullopt;
    const std::optional<seconds> time = TimeFromTm(tm);
    // An old text names a minute.
    return time && timePicture_ ? std::optional(floor<minutes>(*time)) : time;
  }
  std::optional<std::u16string> OldDateText(year_month_day date) const override {
    if (!oldDates_) return std::nullopt;
    return Date(TmOf(date, seconds{0}), nullptr);
  }
  std::optional<std::u16string> OldTimeText(seconds timeOfDay) const override {
    if (!oldTimes_) return std::nullopt;
    return Time(TmOf(year{2000} / January / 1, floor<minutes>(timeOfDay)), nullptr);
  }

 private:
  static std::optional<std::u16string> Date(const std::tm& tm, const wchar_t* picture) {
    SYSTEMTIME st = SystemTimeOf(tm);
    wchar_t buffer[96];
    DWORD flags = picture ? 0 : DATE_SHORTDATE;
    if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, flags, &st, picture, buffer, 96, nullptr)) return std::nullopt;
    return Trimmed(buffer);
  }
  static std::optional<std::u16string> Time(const std::tm& tm, const wchar_t* picture) {
    SYSTEMTIME st = SystemTimeOf(tm);
    wchar_t buffer[96];
    if (!GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, picture, buffer, 96)) return std::nullopt;
    return Trimmed(buffer);
  }
  // "a<separator>b<separator>c": one or two digits each, or four for a year at the end.
  static std::optional<std::array<int, 3>> ThreeNumbers(std::u16string_view text, char16_t separator, bool yearLast) {
    text = TrimSpaces(text);
    std::array<int, 3> numbers{};
    for (std::size_t i = 0; i < 3; ++i) {
      std::size_t digits = 0;
      int value = 0;
      while (!text.empty() && text.front() >= u'0' && text.front() <= u'9' && digits < (i == 2 && yearLast ? 4u : 2u)) {
        value = value * 10 + (text.front() - u'0');
        text.remove_prefix(1);
        ++digits;
      }
      if (digits == 0 || (i == 2 && yearLast && digits != 4)) return std::nullopt;
      numbers[i] = value;
      if (i < 2) {
        if (text.empty() || text.front() != separator) return std::nullopt;
        text.remove_prefix(1);
      }
    }
    if (!text.empty()) return std::nullopt;
    return numbers;
  }
  // The OLE conversion reads the user's own forms as Windows programs always have.
  static bool ParseVariant(std::u16string_view text, std::tm& tm, DATE& value) {
    const std::u16string_view trimmed = TrimSpaces(text);
    std::wstring wide(trimmed.begin(), trimmed.end());
    if (wide.empty()) return false;
    // mingw declares the text parameter without const; the call does not change it.
    if (FAILED(VarDateFromStr(wide.data(), LOCALE_USER_DEFAULT, 0, &value))) return false;
    SYSTEMTIME st{};
    if (!VariantTimeToSystemTime(value, &st)) return false;
    tm.tm_year = st.wYear - 1900;
    tm.tm_mon = st.wMonth - 1;
    tm.tm_mday = st.wDay;
    tm.tm_hour = st.wHour;
    tm.tm_min = st.wMinute;
    tm.tm_sec = st.wSecond;
    return true;
  }

  const wchar_t* datePicture_ = nullptr;
  const wchar_t* timePicture_ = nullptr;
  char16_t timeSeparator_ = u':';
  // The user's own forms, set aside above, are the old ones.
  bool oldDates_ = false;
  bool oldTimes_ = false;
};

}  // namespace

const DateTimeForms& DateTimeForms::User() {
  static const WindowsForms forms;
  return forms;
}
