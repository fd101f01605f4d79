#include "entry/EntryFixture.h"

namespace {

// A quick reminder typed alone or over an open new reminder dialog, whose program and
// date it takes (the date moves to the next day past midnight).
struct QuickCase {
  int hour, minute, second;
  bool overNewDialog;
  QString minutes, title;
  std::u16string date, time;  // stored, when not empty
};

class QuickSaveTest : public EntryFixture, public ::testing::WithParamInterface<QuickCase> {};

TEST_P(QuickSaveTest, StoresTheStartOfTheMinutePlusTheMinutesAndClosesBothWindows) {
  const QuickCase& c = GetParam();
  clock.now = At(2026, 12, 6, c.hour, c.minute, c.second);
  if (c.overNewDialog) {
    frmSetNewReminder* entry = ShowNewReminder(app, nullptr);
    QTest::keyClicks(Control<QLineEdit>(entry, "txtAbout"), "typed before");
    Control<QCalendarWidget>(entry, "Calendar")->setSelectedDate(QDate(2026, 12, 20));
    ChooseTask(entry, "/usr/bin/xclock");
    TypeOver(Control<QComboBox>(entry, "cboHH"), "7");
  }
  frmQuickAdd* w = ShowQuickAdd(app, nullptr);
  QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), "q");
  QTest::keyClicks(Control<QLineEdit>(w, "txtMin"), c.minutes);
  Click(w, "cmdOK");
  Settle();
  EXPECT_THAT(messages.shown, Titled(c.title));
  EXPECT_EQ(std::filesystem::exists(home.store()) ? home.StoreBytes() : "",
            c.date.empty() ? "" : RecordOf(u"q", c.date, c.time, c.overNewDialog ? u"/usr/bin/xclock" : u""));
  EXPECT_FALSE(app.quickAdd || app.setNew);
}

// Letters typed in the minutes box never reach it; three keys make two characters.
INSTANTIATE_TEST_SUITE_P(Moments, QuickSaveTest,
                         ::testing::Values(QuickCase{10, 15, 40, false, "z5A", "Reminder", u"12/06/2026", u"10:20:00"},
                                           QuickCase{10, 15, 40, false, "009", "Date/time is older than now", u"", u""},
                                           QuickCase{10, 15, 40, true, "5", "Reminder", u"12/20/2026", u"10:20:00"},
                                           QuickCase{23, 58, 30, true, "5", "Reminder", u"12/07/2026", u"00:03:00"}));

}  // namespace
