#include <langinfo.h>
#include <locale.h>

#include <array>
#include <optional>
#include <string>
#include <utility>

#include "os/CodePage.h"
#include "os/DateTimeForms.h"
#include "os/FormSamples.h"
#include "os/Trim.h"

using namespace std::chrono;

namespace {

class PosixForms final : public DateTimeForms {
 public:
  PosixForms(locale_t locale, std::string dateFormat, std::string timeFormat)
      : locale_(locale), dateFormat_(std::move(dateFormat)), timeFormat_(std::move(timeFormat)) {
    cLocale_ = newlocale(LC_ALL_MASK, "C", nullptr);
    std::string codeset = nl_langinfo_l(CODESET, locale_);
    utf8_ = codeset == "UTF-8" || codeset == "utf8";

    // A two-digit year is written with four digits.
    for (std::size_t at = dateFormat_.find("%y"); at != std::string::npos; at = dateFormat_.find("%y", at + 2))
      dateFormat_[at + 1] = 'Y';
    const FormatOf userDate = [&](const std::tm& tm) { return Format(dateFormat_, tm, locale_); };
    if (dateFormat_.empty() || !Usable(userDate, kDateWidth, DateSamples())) {
      if (!dateFormat_.empty() && ReadableAsOldDates(userDate, kDateWidth)) oldDateFormat_ = dateFormat_;
      dateFormat_ = "%m/%d/%Y";
      dateLocale_ = cLocale_;
    }
    const FormatOf userTime = [&](const std::tm& tm) { return Format(timeFormat_, tm, locale_); };
    if (timeFormat_.empty() || !Usable(userTime, kTimeWidth, TimeSamples())) {
      if (!timeFormat_.empty() && ReadableAsOldTimes(userTime, kTimeWidth)) oldTimeFormat_ = timeFormat_;
      const char separator = timeFormat_.empty() ? ':' : char(FixedTimeSeparator(userTime));
      timeFormat_ = std::string("%H") + separator + "%M" + separator + "%S";
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
    return Format(timeFormat_, TmOf(year{2000} / January / 1, timeOfDay), timeLocale_).value_or(u"");
  }
  std::optional<year_month_day> ReadDate(std::u16string_view text) const override {
    std::tm tm{};
    tm.tm_mday = 1;
    if (!Parse(text, dateFormat_, dateLocale_, tm)) {
      tm = {};
      tm.tm_mday = 1;
      if (!oldDateFormat_ || !Parse(text, *oldDateFormat_, locale_, tm)) return std::nullopt;
    }
    return DateFromTm(tm);
  }
  std::optional<seconds> ReadTime(std::u16string_view text) const override {
    std::tm tm{};
    if (Parse(text, timeFormat_, timeLocale_, tm)) return TimeFromTm(tm);
    tm = {};
    if (!oldTimeFormat_ || !Parse(text, *oldTimeFormat_, locale_, tm)) return std::nullopt;
    const std::optional<seconds> time = TimeFromTm(tm);
    return time ? std::optional(floor<minutes>(*time)) : std::nullopt;
  }
  std::optional<std::u16string> OldDateText(year_month_day date) const override {
    if (!oldDateFormat_) return std::nullopt;
    return Format(*oldDateFormat_, TmOf(date, seconds{0}), locale_);
  }
  std::optional<std::u16string> OldTimeText(seconds timeOfDay) const override {
    if (!oldTimeFormat_) return std::nullopt;
    return Format(*oldTimeFormat_, TmOf(year{2000} / January / 1, floor<minutes>(timeOfDay)), locale_);
  }

 private:
  std::optional<std::u16string> Format(const std::string& format, const std::tm& tm, locale_t locale) const {
    std::array<char, 128> buffer{};
    std::size_t n = strftime_l(buffer.data(), buffer.size(), format.c_str(), &tm, locale);
    if (n == 0) return std::nullopt;
    std::string_view bytes(buffer.data(), n);
    if (locale != cLocale_ && utf8_) return std::u16string(TrimSpaces(Utf8ToUtf16(bytes)));
    for (char c : bytes)
      if (static_cast<unsigned char>(c) >= 0x80) return std::nullopt;  // an unknown charset
    return std::u16string(TrimSpaces(std::u16string(bytes.begin(), bytes.end())));
  }

  bool Parse(std::u16string_view text, const std::string& format, locale_t locale, std::tm& tm) const {
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
  std::optional<std::string> oldDateFormat_;  // with locale_
  std::optional<std::string> oldTimeFormat_;
};

// The forms of a named locale, with its own formats where none are given.
std::unique_ptr<DateTimeForms> PosixFormsOf(const char* name, const char* dateFormat, const char* timeFormat) {
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

const DateTimeForms& DateTimeForms::User() {
  static const std::unique_ptr<DateTimeForms> forms = [] {
    auto user = ForLocale("");
    return user ? std::move(user) : ForLocale("C");
  }();
  return *forms;
}
