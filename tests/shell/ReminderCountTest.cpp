#include "shell/ReminderCount.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "store/TempHome.h"

using namespace std::chrono;

namespace {

// Day.month.two-digit-year, a blank before a one-digit day: narrower than the field.
class ShortDates final : public DateTimeForms {
 public:
  std::u16string DateText(year_month_day d) const override {
    char text[16];
    std::snprintf(text, sizeof text, "%2u.%u.%02d", static_cast<unsigned>(d.day()), static_cast<unsigned>(d.month()),
                  static_cast<int>(d.year()) % 100);
    return std::u16string(text, text + std::char_traits<char>::length(text));
  }
  std::u16string TimeText(seconds) const override { return u""; }
  std::optional<year_month_day> ReadDate(std::u16string_view) const override { return std::nullopt; }
  std::optional<seconds> ReadTime(std::u16string_view) const override { return std::nullopt; }
};

// Stored dates are compared trimmed, as older stores hold them with blanks around.
TEST(CountTodaysReminders, CountsEveryRecordDatedTodayWhateverItsTimeAndBlanks) {
  TempHome home;
  ReminderStore store(OsFileIo::Instance(), home.home());
  home.WriteStore(RecordOf(u"past", u"6.12.26", u"08:00:00") + RecordOf(u"later", u" 6.12.26", u"20:00:00") +
                  RecordOf(u"blanks", u"  6.12.26 ") + RecordOf(u"tomorrow", u"7.12.26") +
                  RecordOf(u"a year on", u"6.12.27") + RecordOf(u"16th", u"16.12.26"));
  int count = -1;
  ASSERT_TRUE(CountTodaysReminders(store, year{2026} / 12 / 6, count, ShortDates()).ok());
  EXPECT_EQ(count, 3);
}

TEST(CountTodaysReminders, FailureKeepsTheOldCount) {
  TempHome home;
  std::filesystem::remove_all(home.root() / "db");
  ReminderStore store(OsFileIo::Instance(), home.home());
  int count = 7;
  EXPECT_FALSE(CountTodaysReminders(store, year{2026} / 12 / 6, count, ShortDates()).ok());
  EXPECT_EQ(count, 7);
}

}  // namespace
