#include "platform/DateTimeForms.h"

#include <array>
#include <cmath>
#include <cstring>
#include <ctime>
#include <unordered_set>
#include <utility>
#include <vector>

#include "platform/CodePage.h"

#ifdef _WIN32
// windows.h first: oleauto.h relies on its types.
#include <windows.h>

#include <oleauto.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

using namespace std::chrono;

namespace {

std::u16string_view TrimSpaces(std::u16string_view s) {
  while (!s.empty() && s.front() == u' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == u' ') s.remove_suffix(1);
  return s;
}

// A form is usable when every sample fits the field and the code page, and no two
// samples share a text: a text that stood for two moments would fire a reminder at each.
template <class Format>
bool Usable(const Format& format, std::size_t width, const std::vector<std::tm>& samples) {
  std::unordered_set<std::u16string> seen;
  for (const std::tm& tm : samples) {
    std::optional<std::u16string> text = format(tm);
    if (!text || text->empty() || text->size() > width || !CodePageHoldsExactly(*text) ||
        !seen.insert(*text).second)
      return false;
  }
  return true;
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

// Every day of a leap year, and the last day of years that differ from it in one digit
// each: a form must tell every day apart, years included.
std::vector<std::tm> DateSamples() {
  std::vector<std::tm> out;
  const sys_days first{year{2028} / January / 1};
  for (sys_days d = first; d < first + days{366}; d += days{1})
    out.push_back(TmOf(year_month_day{d}, seconds{0}));
  for (int y : {1999, 2029, 2038, 2128, 3028}) out.push_back(TmOf(year{y} / December / 31, seconds{0}));
  return out;
}

// Every hour at both ends of its range, every minute and every second: a form must tell
// them all apart, so one without seconds, or a 12-hour clock without AM and PM, is not
// usable. (All 86,400 seconds of a day would be too many texts to make at start-up.)
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
  if (tm.tm_hour < 0 || tm.tm_hour > 23 || tm.tm_min < 0 || tm.tm_min > 59 || tm.tm_sec < 0 ||
      tm.tm_sec > 59)
    return std::nullopt;
  return seconds{tm.tm_hour * 3600 + tm.tm_min * 60 + tm.tm_sec};
}

#ifndef _WIN32

class PosixForms final : public DateTimeForms {
 public:
  PosixForms(locale_t locale, std::string dateFormat, std::string timeFormat)
      : locale_(locale), dateFormat_(std::move(dateFormat)), timeFormat_(std::move(timeFormat)) {
    cLocale_ = newlocale(LC_ALL_MASK, "C", nullptr);
    std::string codeset = nl_langinfo_l(CODESET, locale_);
    utf8_ = codeset == "UTF-8" || codeset == "utf8";

    // A two-digit year is written with four digits.
    for (std::size_t at = dateFormat_.find("%y"); at != std::string::npos;
         at = dateFormat_.find("%y", at + 2))
      dateFormat_[at + 1] = 'Y';
    if (dateFormat_.empty() ||
        !Usable([&](const std::tm& tm) { return Format(dateFormat_, tm, locale_); }, kDateWidth,
                DateSamples())) {
      dateFormat_ = "%m/%d/%Y";
      dateLocale_ = cLocale_;
    }
    if (timeFormat_.empty() ||
        !Usable([&](const std::tm& tm) { return Format(timeFormat_, tm, locale_); }, kTimeWidth,
                TimeSamples())) {
      timeFormat_ = "%H:%M:%S";
      timeLocale_ = cLocale_;
    }
  }
  ~PosixForms() override {
    freelocale(cLocale_);
    freelocale(locale_);
  }
  PosixForms(const PosixForms&) = delete;
  PosixForms& operator=(const PosixForms&) = delete;

  std::u16string DateText(year_month_day date) const override {
    return Format(dateFormat_, TmOf(date, seconds{0}), dateLocale_).value_or(u"");
  }
  std::u16string TimeText(seconds timeOfDay) const override {
    return Format(timeFormat_, TmOf(year{2000} / January / 1, timeOfDay), timeLocale_)
        .value_or(u"");
  }
  std::optional<year_month_day> ReadDate(std::u16string_view text) const override {
    std::tm tm{};
    tm.tm_mday = 1;
    if (!Parse(text, dateFormat_, dateLocale_, tm)) return std::nullopt;
    return DateFromTm(tm);
  }
  std::optional<seconds> ReadTime(std::u16string_view text) const override {
    std::tm tm{};
    if (!Parse(text, timeFormat_, timeLocale_, tm)) return std::nullopt;
    return TimeFromTm(tm);
  }

 private:
  std::optional<std::u16string> Format(const std::string& format, const std::tm& tm,
                                       locale_t locale) const {
    std::array<char, 128> buffer{};
    std::size_t n = strftime_l(buffer.data(), buffer.size(), format.c_str(), &tm, locale);
    if (n == 0) return std::nullopt;
    std::string_view bytes(buffer.data(), n);
    if (locale != cLocale_ && utf8_) return std::u16string(TrimSpaces(Utf8ToUtf16(bytes)));
    for (char c : bytes)
      if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;  // an unknown charset
    return std::u16string(TrimSpaces(std::u16string(bytes.begin(), bytes.end())));
  }

  bool Parse(std::u16string_view text, const std::string& format, locale_t locale,
             std::tm& tm) const {
    text = TrimSpaces(text);
    if (text.empty()) return false;
    std::string bytes;
    if (locale != cLocale_ && utf8_) {
      bytes = Utf16ToUtf8(text);
    } else {
      for (char16_t c : text) {
        if (c >= 0x80) return false;
        bytes.push_back(static_cast<char>(c));
      }
    }
    const char* end = strptime_l(bytes.c_str(), format.c_str(), &tm, locale);
    return end != nullptr && *end == '\0';
  }

  locale_t locale_;
  locale_t cLocale_;
  locale_t dateLocale_ = locale_;
  locale_t timeLocale_ = locale_;
  bool utf8_ = false;
  std::string dateFormat_;
  std::string timeFormat_;
};

#else

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
    if (!Usable([&](const std::tm& tm) { return Date(tm, nullptr); }, kDateWidth, DateSamples()))
      datePicture_ = L"MM/dd/yyyy";
    if (!Usable([&](const std::tm& tm) { return Time(tm, nullptr); }, kTimeWidth, TimeSamples()))
      timePicture_ = L"HH:mm:ss";
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
      auto mdy = ThreeNumbers(text, u'/', true);
      if (!mdy) return std::nullopt;
      tm.tm_mon = (*mdy)[0] - 1;
      tm.tm_mday = (*mdy)[1];
      tm.tm_year = (*mdy)[2] - 1900;
      return DateFromTm(tm);
    }
    DATE value = 0;
    if (!ParseVariant(text, tm, value) || value == 0 || value != std::trunc(value))
      return std::nullopt;
    return DateFromTm(tm);
  }
  std::optional<seconds> ReadTime(std::u16string_view text) const override {
    std::tm tm{};
    if (timePicture_) {
      auto hms = ThreeNumbers(text, u':', false);
      if (!hms) return std::nullopt;
      tm.tm_hour = (*hms)[0];
      tm.tm_min = (*hms)[1];
      tm.tm_sec = (*hms)[2];
      return TimeFromTm(tm);
    }
    DATE value = 0;
    if (!ParseVariant(text, tm, value) || value < 0 || value >= 1) return std::nullopt;
    return TimeFromTm(tm);
  }

 private:
  static std::optional<std::u16string> Date(const std::tm& tm, const wchar_t* picture) {
    SYSTEMTIME st = SystemTimeOf(tm);
    wchar_t buffer[96];
    DWORD flags = picture ? 0 : DATE_SHORTDATE;
    if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, flags, &st, picture, buffer, 96, nullptr))
      return std::nullopt;
    return Trimmed(buffer);
  }
  static std::optional<std::u16string> Time(const std::tm& tm, const wchar_t* picture) {
    SYSTEMTIME st = SystemTimeOf(tm);
    wchar_t buffer[96];
    if (!GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, picture, buffer, 96)) return std::nullopt;
    return Trimmed(buffer);
  }
  // "a<separator>b<separator>c": one or two digits each, or four for a year at the end.
  static std::optional<std::array<int, 3>> ThreeNumbers(std::u16string_view text, char16_t separator,
                                                       bool yearLast) {
    text = TrimSpaces(text);
    std::array<int, 3> numbers{};
    for (std::size_t i = 0; i < 3; ++i) {
      std::size_t digits = 0;
      int value = 0;
      while (!text.empty() && text.front() >= u'0' && text.front() <= u'9' &&
             digits < (i == 2 && yearLast ? 4u : 2u)) {
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
};

#endif

}  // namespace

#ifndef _WIN32
namespace {

// The forms of a named locale, with its own formats where none are given.
std::unique_ptr<DateTimeForms> PosixFormsOf(const char* name, const char* dateFormat,
                                            const char* timeFormat) {
  locale_t locale = newlocale(LC_TIME_MASK | LC_CTYPE_MASK, name, nullptr);
  if (!locale) return nullptr;
  return std::make_unique<PosixForms>(locale, dateFormat ? dateFormat : nl_langinfo_l(D_FMT, locale),
                                      timeFormat ? timeFormat : nl_langinfo_l(T_FMT, locale));
}

}  // namespace

std::unique_ptr<DateTimeForms> DateTimeForms::ForLocale(const char* name) {
  return PosixFormsOf(name, nullptr, nullptr);
}

std::unique_ptr<DateTimeForms> DateTimeForms::ForFormats(const char* name, const char* dateFormat,
                                                         const char* timeFormat) {
  return PosixFormsOf(name, dateFormat, timeFormat);
}
#endif

const DateTimeForms& DateTimeForms::User() {
#ifdef _WIN32
  static const WindowsForms forms;
  return forms;
#else
  static const std::unique_ptr<DateTimeForms> forms = [] {
    auto user = ForLocale("");
    return user ? std::move(user) : ForLocale("C");
  }();
  return *forms;
#endif
}

std::u16string DateText(year_month_day date) { return DateTimeForms::User().DateText(date); }
std::u16string TimeText(seconds timeOfDay) { return DateTimeForms::User().TimeText(timeOfDay); }
