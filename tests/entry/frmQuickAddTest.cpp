#include "entry/EntryFixture.h"
#include "platform/Twips.h"

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

class QuickAddTest : public EntryFixture {
 protected:
  frmQuickAdd* OpenQuick(QWidget* owner = nullptr) { return ShowQuickAdd(app, owner); }
  QLineEdit* About(QWidget* w) { return Control<QLineEdit>(w, "txtAbout"); }
  QLineEdit* Minutes(QWidget* w) { return Control<QLineEdit>(w, "txtMin"); }
  QPushButton* Ok(QWidget* w) { return Control<QPushButton>(w, "cmdOK"); }

  // What the new reminder dialog holds when its confirmation or rejection shows.
  struct Received {
    QString hour, minute, second;
    QDate date;
  };
  std::optional<Received> received;
  void WatchTheNewReminderDialog() {
    messages.onShow = [this](const MessageRequest&) {
      if (!app.setNew) return;
      received = Received{Control<QComboBox>(app.setNew, "cboHH")->currentText(),
                          Control<QComboBox>(app.setNew, "cboMM")->currentText(),
                          Control<QComboBox>(app.setNew, "cboSS")->currentText(),
                          Control<QCalendarWidget>(app.setNew, "Calendar")->selectedDate()};
    };
  }

  void QuickReminder(const QString& about, const QString& minutes) {
    frmQuickAdd* w = OpenQuick();
    QTest::keyClicks(About(w), about);
    QTest::keyClicks(Minutes(w), minutes);
    ASSERT_TRUE(Ok(w)->isEnabled());
    QTest::mouseClick(Ok(w), Qt::LeftButton);
    Settle();
  }
};

TEST_F(QuickAddTest, OpensWithOnlyTheTextUsable) {
  frmQuickAdd* w = OpenQuick();
  EXPECT_EQ(w->windowTitle(), "Quick Reminder");
  EXPECT_EQ(w->size(), TwipsSize(4380, 1005));
  EXPECT_TRUE(About(w)->isEnabled());
  EXPECT_FALSE(Minutes(w)->isEnabled());
  EXPECT_FALSE(Ok(w)->isEnabled());
  EXPECT_EQ(Minutes(w)->maxLength(), 2);
  EXPECT_EQ(Ok(w)->text(), "&OK");
  EXPECT_EQ(Control<QLabel>(w, "Label1")->text(), "Remind Me About");
  EXPECT_EQ(Control<QLabel>(w, "Label2")->text(), "After");
  EXPECT_EQ(Control<QLabel>(w, "Label3")->text(), "Minutes from now");
  EXPECT_EQ(Ok(w)->geometry(), TwipsRect(3240, 600, 1095, 375));
  EXPECT_EQ(Minutes(w)->geometry(), TwipsRect(600, 600, 375, 285));
  EXPECT_EQ(w->focusWidget(), About(w));
  QStringList order;
  QWidget* at = About(w);
  for (int i = 0; i < 50 && order.size() < 3; ++i, at = at->nextInFocusChain())
    if (at->focusPolicy() & Qt::TabFocus) order << at->objectName();
  EXPECT_EQ(order, (QStringList{"txtAbout", "txtMin", "cmdOK"}));
  EXPECT_EQ(OpenQuick(), w);
}

TEST_F(QuickAddTest, MinutesBoxDropsLettersAndTakesTwoCharacters) {
  frmQuickAdd* w = OpenQuick();
  QTest::keyClicks(About(w), "tea");
  ASSERT_TRUE(Minutes(w)->isEnabled());
  QTest::keyClicks(Minutes(w), "aZ5qQ");
  EXPECT_EQ(Minutes(w)->text(), "5");
  QTest::keyClicks(Minutes(w), "-");  // punctuation passes the filter
  EXPECT_EQ(Minutes(w)->text(), "5-");
  QTest::keyClick(Minutes(w), Qt::Key_Backspace);  // control keys pass too
  QTest::keyClicks(Minutes(w), "12");              // the third character is refused
  EXPECT_EQ(Minutes(w)->text(), "51");
}

TEST_F(QuickAddTest, OkFollowsAWholeNumberOfMinutesPastedTextIncluded) {
  frmQuickAdd* w = OpenQuick();
  QTest::keyClicks(About(w), "x");
  QTest::keyClicks(Minutes(w), "7");
  EXPECT_TRUE(Ok(w)->isEnabled());
  QTest::keyClicks(Minutes(w), ".");
  EXPECT_FALSE(Ok(w)->isEnabled());
  QTest::keyClick(Minutes(w), Qt::Key_Backspace);
  EXPECT_TRUE(Ok(w)->isEnabled());
  QTest::keyClick(Minutes(w), Qt::Key_Backspace);
  EXPECT_FALSE(Ok(w)->isEnabled());
  // Pasted text never meets the key filter.
  Minutes(w)->insert("ab");
  EXPECT_FALSE(Ok(w)->isEnabled());
  Minutes(w)->setText("99");
  EXPECT_TRUE(Ok(w)->isEnabled());

  // Emptying the About box locks the minutes box but leaves OK as it is.
  About(w)->selectAll();
  QTest::keyClick(About(w), Qt::Key_Delete);
  EXPECT_FALSE(Minutes(w)->isEnabled());
  EXPECT_EQ(Minutes(w)->text(), "99");
  EXPECT_TRUE(Ok(w)->isEnabled());
}

struct QuickCase {
  const char* name;
  local_seconds now;
  const char* minutes;
  const char* hour;
  const char* minute;
  QDate date;
};

class QuickMomentTest : public QuickAddTest, public ::testing::WithParamInterface<QuickCase> {};

TEST_P(QuickMomentTest, FillsTheNewReminderDialogAndStoresTheMoment) {
  const QuickCase& c = GetParam();
  clock.now = c.now;
  WatchTheNewReminderDialog();
  QuickReminder("Quick one", c.minutes);
  ASSERT_TRUE(received);
  EXPECT_EQ(received->hour, c.hour);
  EXPECT_EQ(received->minute, c.minute);
  EXPECT_EQ(received->second, "0");
  EXPECT_EQ(received->date, c.date);
  EXPECT_EQ(Titles(), std::vector<QString>{"Reminder"});
  const year_month_day date = year{c.date.year()} / c.date.month() / c.date.day();
  const seconds time = hours{QString(c.hour).toInt()} + minutes{QString(c.minute).toInt()};
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"Quick one", forms->DateText(date), forms->TimeText(time)));
  EXPECT_FALSE(app.quickAdd);
  EXPECT_FALSE(app.setNew);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, QuickMomentTest,
    ::testing::Values(QuickCase{"within_the_hour", At(2026, 12, 6, 10, 15, 40), "5", "10", "20", QDate(2026, 12, 6)},
                      QuickCase{"into_the_next_hour", At(2026, 12, 6, 10, 58, 0), "5", "11", "3", QDate(2026, 12, 6)},
                      QuickCase{"past_midnight", At(2026, 12, 6, 23, 58, 30), "5", "0", "3", QDate(2026, 12, 7)},
                      QuickCase{"past_new_year", At(2026, 12, 31, 23, 30, 59), "99", "1", "9", QDate(2027, 1, 1)},
                      QuickCase{"zero_at_the_start_of_a_minute", At(2026, 12, 6, 10, 15, 0), "0", "10", "15",
                                QDate(2026, 12, 6)}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(QuickAddTest, ZeroMinutesIsRejectedAndBothWindowsClose) {
  clock.now = At(2026, 12, 6, 10, 15, 40);
  QuickReminder("too late", "0");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "Date/time is older than now");
  EXPECT_FALSE(std::filesystem::exists(home.store()));
  EXPECT_FALSE(app.quickAdd);
  EXPECT_FALSE(app.setNew);
  EXPECT_TRUE(QApplication::topLevelWidgets().empty() ||
              std::none_of(QApplication::topLevelWidgets().begin(), QApplication::topLevelWidgets().end(),
                           [](QWidget* t) { return t->isVisible(); }));
}

TEST_F(QuickAddTest, EmptiedAboutStoresAnEmptyText) {
  clock.now = At(2026, 12, 6, 10, 15, 40);
  frmQuickAdd* w = OpenQuick();
  QTest::keyClicks(About(w), "x");
  QTest::keyClicks(Minutes(w), "5");
  QTest::keyClick(About(w), Qt::Key_Backspace);
  QTest::mouseClick(Ok(w), Qt::LeftButton);
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"", u"12/06/2026", u"10:20:00"));
}

TEST_F(QuickAddTest, LongAboutIsCutToTheRecordsEightyCharacters) {
  clock.now = At(2026, 12, 6, 10, 15, 40);
  QuickReminder(QString(100, 'a'), "5");
  EXPECT_EQ(home.StoreBytes(), RecordOf(std::u16string(80, u'a'), u"12/06/2026", u"10:20:00"));
}

TEST_F(QuickAddTest, UsesAnOpenNewReminderDialogWithItsDateAndProgram) {
  clock.now = At(2026, 12, 6, 10, 15, 40);
  frmSetNewReminder* entry = OpenNew();
  QTest::keyClicks(Control<QLineEdit>(entry, "txtAbout"), "typed before");
  PickDate(entry, year{2026} / 12 / 20);
  QTest::mouseClick(Control(entry, "chkTask"), Qt::LeftButton);
  chooser.answer = "/usr/bin/xclock";
  Click(entry, "cmdBrowse");
  TypeOver(Control<QComboBox>(entry, "cboHH"), "7");

  QuickReminder("from quick", "5");
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"from quick", u"12/20/2026", u"10:20:00", u"/usr/bin/xclock"));
  EXPECT_FALSE(app.setNew);
  EXPECT_FALSE(app.quickAdd);
}

TEST_F(QuickAddTest, OpenDialogMovesToTheNextDayPastMidnight) {
  clock.now = At(2026, 12, 6, 23, 58, 30);
  frmSetNewReminder* entry = OpenNew();
  PickDate(entry, year{2026} / 12 / 20);
  QuickReminder("night", "5");
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"night", u"12/07/2026", u"00:03:00"));
}

TEST_F(QuickAddTest, SaveMakesTheMainWindowRecount) {
  clock.now = At(2026, 12, 6, 10, 15, 40);
  frmMain* main = LoadMain();
  QuickReminder("count me", "5");
  EXPECT_EQ(main->findChild<QLabel*>("lblNoOfReminders")->text(), "[1]");
}

}  // namespace
