#include "shell/ReminderCount.h"

#include <gtest/gtest.h>

#include "store/TempHome.h"

using namespace std::chrono;

namespace {

// Day.month.two-digit-year, a blank before a one-digit day: narrower than the field.
struct ShortDates final : DateTimeForms {
  std::u16string DateText(year_month_day d) const override {
    const std::string text = (d.day() < day{10} ? " " : "") + std::to_string(unsigned{d.day()}) + "." +
                             std::to_string(unsigned{d.month()}) + "." + std::to_string(int{d.year()} % 100);
    return {text.begin(), text.end()};
  }
  // An older installation's form, year-month-day.
  std::optional<std::u16string> OldDateText(year_month_day d) const override {
    const std::string text = std::to_string(int{d.year()}) + "-" + std::to_string(unsigned{d.month()}) + "-" +
                             std::to_string(unsigned{d.day()});
    return std::u16string(text.begin(), text.end());
  }
  std::u16string TimeText(seconds) const override { return u""; }
  std::optional<year_month_day> ReadDate(std::u16string_view) const override { return std::nullopt; }
  std::optional<seconds> ReadTime(std::u16string_view) const override { return std::nullopt; }
};

// Stored dates are compared trimmed, as older stores hold them with blanks around, and
// in the old form too. A failure keeps the old count.
TEST(CountTodaysReminders, CountsEveryRecordDatedTodayWhateverItsTimeAndBlanks) {
  TempHome home;
  ReminderStore store(OsFileIo::Instance(), home.home());
  home.WriteStore(RecordOf(u"past", u"6.12.26", u"08:00:00") + RecordOf(u"later", u" 6.12.26", u"20:00:00") +
                  RecordOf(u"blanks", u"  6.12.26 ") + RecordOf(u"tomorrow", u"7.12.26") +
                  RecordOf(u"a year on", u"6.12.27") + RecordOf(u"16th", u"16.12.26") +
                  RecordOf(u"old form", u"2026-12-6") + RecordOf(u"old form, tomorrow", u"2026-12-7"));
  int count = -1;
  ASSERT_TRUE(CountTodaysReminders(store, year{2026} / 12 / 6, count, ShortDates()).ok());
  EXPECT_EQ(count, 4);
  std::filesystem::remove_all(home.root() / "db");
  TempHome::WriteBytes(home.root() / "db", "");  // a db that is no folder
  EXPECT_FALSE(CountTodaysReminders(store, year{2026} / 12 / 6, count, ShortDates()).ok());
  EXPECT_EQ(count, 4);
}

}  // namespace
