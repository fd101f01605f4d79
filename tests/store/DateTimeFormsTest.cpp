#include "platform/DateTimeForms.h"

#include <gtest/gtest.h>

using namespace std::chrono;

// Named locales are a POSIX notion; the forms of the Windows user settings are tested
// in tests/platform/WindowsTest.cpp.
#ifndef _WIN32
namespace {

const seconds k180503 = hours{18} + minutes{5} + seconds{3};

// A locale, the texts it gives of 2026-12-06 and of 18:05:03, and that time in other
// letter case.
struct LocaleCase {
  const char* locale;
  std::u16string date, time, otherCase;
};

class FormsTest : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(FormsTest, GivesTheLocalesTextsAndReadsThemBackButNotNonsense) {
  const LocaleCase& c = GetParam();
  const auto forms = DateTimeForms::ForLocale(c.locale);
  if (!forms) GTEST_SKIP() << c.locale << " is not installed";
  EXPECT_EQ(forms->DateText(year{2026} / 12 / 6), c.date);
  EXPECT_EQ(forms->TimeText(k180503), c.time);
  EXPECT_EQ(forms->ReadTime(c.otherCase), k180503);
  // A day past the twelfth, so day and month cannot be taken for each other.
  const year_month_day date = year{2026} / 1 / 17;
  EXPECT_EQ(forms->ReadDate(u"  " + forms->DateText(date) + u" "), date);
  // Both ends of each half of the day.
  for (int s : {0, 12 * 3600 - 1, 12 * 3600, 86399}) EXPECT_EQ(forms->ReadTime(forms->TimeText(seconds{s})), seconds{s});
  for (std::u16string bad : {u"", u"   ", u"13/45/2026", u"31.02.2026", u"25:00:00", u"24:61:00", u"noon",
                             u"12/06/2026x", u"\u65e5"}) {
    EXPECT_FALSE(forms->ReadDate(bad)) << bad.size();
    EXPECT_FALSE(forms->ReadTime(bad)) << bad.size();
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, FormsTest,
                         ::testing::Values(LocaleCase{"C", u"12/06/2026", u"18:05:03", u"18:05:03"},
                                           LocaleCase{"en_US.UTF-8", u"12/06/2026", u"06:05:03 PM", u"06:05:03 pm"},
                                           LocaleCase{"de_DE.UTF-8", u"06.12.2026", u"18:05:03", u"18:05:03"}),
                         [](const auto& p) { return std::string(p.param.locale).substr(0, 5); });

// A form that gave two days, or two seconds of a day, the same text would fire a reminder
// at each of them: such a form gives way to the fixed one.
struct FormatCase {
  const char* date;
  const char* time;
  std::u16string dateText, timeText;
};

class FormatsTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatsTest, AFormThatGivesTwoMomentsOneTextGivesWayToTheFixedOne) {
  const auto forms = DateTimeForms::ForFormats("C", GetParam().date, GetParam().time);
  ASSERT_TRUE(forms);
  EXPECT_EQ(forms->DateText(year{2026} / 12 / 6), GetParam().dateText);
  EXPECT_EQ(forms->TimeText(k180503), GetParam().timeText);
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatsTest,
                         ::testing::Values(FormatCase{"%d.%m.%Y", "%I:%M:%S %p", u"06.12.2026", u"06:05:03 PM"},
                                           FormatCase{"%d.%m.%Y", "%H:%M", u"06.12.2026", u"18:05:03"},
                                           FormatCase{"%d.%m.%Y", "%I:%M:%S", u"06.12.2026", u"18:05:03"},
                                           FormatCase{"%d.%m.", "%H.%M.%S", u"12/06/2026", u"18.05.03"},
                                           FormatCase{"%d.%m.%Oy", "%H.%M.%S", u"12/06/2026", u"18.05.03"}));

}  // namespace
#endif
