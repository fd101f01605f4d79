#include "os/DateTimeForms.h"

#include <gtest/gtest.h>

using namespace std::chrono;

// Named locales are a POSIX notion; the forms of the Windows user settings are tested
// in tests/os/WindowsTest.cpp.
#ifndef _WIN32
namespace {

// A locale, or its formats replaced by these, and the texts the forms give of 2026-12-06
// and of 18:05:03. A form that gave two days, or two seconds of a day, the same text
// would fire a reminder at each of them: such a form gives way to the fixed one.
struct FormsCase {
  const char* locale;
  const char* date;  // none: the locale's own formats
  const char* time;
  std::u16string dateText, timeText, otherCase;  // the time in other letter case
};

class FormsTest : public ::testing::TestWithParam<FormsCase> {};

TEST_P(FormsTest, GiveTheirTextsAndReadThemBackInAnyCaseButNotNonsense) {
  const FormsCase& c = GetParam();
  const auto forms = c.date ? DateTimeForms::ForFormats(c.locale, c.date, c.time) : DateTimeForms::ForLocale(c.locale);
  if (!forms) GTEST_SKIP() << c.locale << " is not installed";
  const seconds time = hours{18} + minutes{5} + seconds{3};
  EXPECT_EQ(forms->DateText(year{2026} / 12 / 6), c.dateText);
  EXPECT_EQ(forms->TimeText(time), c.timeText);
  EXPECT_EQ(forms->ReadTime(c.otherCase), time);
  // A day past the twelfth, so that day and month cannot be taken for each other.
  const year_month_day date = year{2026} / 1 / 17;
  EXPECT_EQ(forms->ReadDate(u"  " + forms->DateText(date) + u" "), date);
  for (int s : {0, 12 * 3600 - 1, 12 * 3600, 86399})
    EXPECT_EQ(forms->ReadTime(forms->TimeText(seconds{s})), seconds{s});
  for (std::u16string bad :
       {u"", u"   ", u"13/45/2026", u"31.02.2026", u"25:00:00", u"24:61:00", u"noon", u"12/06/2026x", u"\u65e5"}) {
    EXPECT_FALSE(forms->ReadDate(bad)) << bad.size();
    EXPECT_FALSE(forms->ReadTime(bad)) << bad.size();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FormsTest,
    ::testing::Values(FormsCase{"C", nullptr, nullptr, u"12/06/2026", u"18:05:03", u"18:05:03"},
                      FormsCase{"en_US.UTF-8", nullptr, nullptr, u"12/06/2026", u"06:05:03 PM", u"06:05:03 pm"},
                      FormsCase{"de_DE.UTF-8", nullptr, nullptr, u"06.12.2026", u"18:05:03", u"18:05:03"},
                      FormsCase{"C", "%d.%m.%Y", "%I:%M:%S %p", u"06.12.2026", u"06:05:03 PM", u"06:05:03 pm"},
                      FormsCase{"C", "%d.%m.%Y", "%H:%M", u"06.12.2026", u"18:05:03", u"18:05:03"},
                      // Its texts are the fixed form's of other seconds: the fixed form takes dots.
                      FormsCase{"C", "%d.%m.%Y", "%I:%M:%S", u"06.12.2026", u"18.05.03", u"18.05.03"},
                      FormsCase{"C", "%d.%m.", "%H.%M.%S", u"12/06/2026", u"18.05.03", u"18.05.03"},
                      FormsCase{"C", "%d.%m.%Oy", "%H.%M.%S", u"12/06/2026", u"18.05.03", u"18.05.03"}));

// What an older installation wrote of 2026-12-06 18:05:03 in the user's own forms, now
// set aside: a text reads back as its day, or as its minute's first second, where the
// form tells those apart, and never where it does not.
struct OldFormsCase {
  const char* date;
  const char* time;
  std::u16string dateText, timeText;
  bool datesRead, timesRead;
};

class OldFormsTest : public ::testing::TestWithParam<OldFormsCase> {};

TEST_P(OldFormsTest, ReadBackWhereTheyStandForOneMoment) {
  const OldFormsCase& c = GetParam();
  const auto forms = DateTimeForms::ForFormats("C", c.date, c.time);
  const year_month_day day = year{2026} / 12 / 6;
  const seconds minute = hours{18} + minutes{5};
  using Text = std::optional<std::u16string>;
  EXPECT_EQ(forms->OldDateText(day), c.datesRead ? Text(c.dateText) : std::nullopt);
  EXPECT_EQ(forms->OldTimeText(minute + seconds{3}), c.timesRead ? Text(c.timeText) : std::nullopt);
  EXPECT_EQ(forms->ReadDate(c.dateText), c.datesRead ? std::optional(day) : std::nullopt);
  EXPECT_EQ(forms->ReadTime(c.timeText), c.timesRead ? std::optional(minute) : std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Forms, OldFormsTest,
                         ::testing::Values(OldFormsCase{"%d.%m.%Oy", "%H:%M", u"06.12.26", u"18:05", true, true},
                                           OldFormsCase{"%d.%m.", "%I:%M %p", u"06.12.", u"06:05 PM", false, true},
                                           OldFormsCase{"%e %b", "%I:%M", u"6 Dec", u"06:05", false, false},
                                           OldFormsCase{"%m/%d", "%I:%M:%S", u"12/06", u"06:05:03", false, false}));

}  // namespace
#endif
