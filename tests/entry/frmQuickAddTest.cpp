#include "entry/EntryFixture.h"

using namespace std::chrono;

namespace {

class QuickAddTest : public EntryFixture {
 protected:
  QuickAddTest() { clock.now = At(2026, 12, 6, 10, 15, 40); }
  frmQuickAdd* OpenQuick() { return ShowQuickAdd(app, nullptr); }
  static QLineEdit* About(QWidget* w) { return Control<QLineEdit>(w, "txtAbout"); }
  static QLineEdit* Minutes(QWidget* w) { return Control<QLineEdit>(w, "txtMin"); }
  static bool OkEnabled(QWidget* w) { return Enabled(w, "cmdOK"); }

  void QuickReminder(const QString& about, const QString& minutes) {
    frmQuickAdd* w = OpenQuick();
    QTest::keyClicks(About(w), about);
    QTest::keyClicks(Minutes(w), minutes);
    ASSERT_TRUE(OkEnabled(w));
    Click(w, "cmdOK");
    Settle();
  }
};

TEST_F(QuickAddTest, MinutesBoxDropsLettersAndOkFollowsAWholeNumberPastedTextIncluded) {
  frmQuickAdd* w = OpenQuick();
  EXPECT_FALSE(Minutes(w)->isEnabled());
  QTest::keyClicks(About(w), "tea");
  QTest::keyClicks(Minutes(w), "aZ5-12");  // two characters at most
  EXPECT_EQ(Minutes(w)->text(), "5-");
  EXPECT_FALSE(OkEnabled(w));
  QTest::keyClick(Minutes(w), Qt::Key_Backspace);
  EXPECT_TRUE(OkEnabled(w));
  Minutes(w)->insert("a");  // pasted text never meets the key filter
  EXPECT_FALSE(OkEnabled(w));
  Minutes(w)->setText("99");
  EXPECT_TRUE(OkEnabled(w));
  // Emptying the About box locks the minutes box but leaves OK as it is.
  About(w)->selectAll();
  QTest::keyClick(About(w), Qt::Key_Delete);
  EXPECT_FALSE(Minutes(w)->isEnabled());
  EXPECT_TRUE(OkEnabled(w));
}

TEST_F(QuickAddTest, StoresTheStartOfTheMinutePlusTheMinutesAndClosesBothWindows) {
  QuickReminder("Quick one", "5");
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"Quick one", u"12/06/2026", u"10:20:00"));
  EXPECT_EQ(Titles(), std::vector<QString>{"Reminder"});
  EXPECT_FALSE(app.quickAdd);
  EXPECT_FALSE(app.setNew);
}

TEST_F(QuickAddTest, ZeroMinutesIsRejectedAndBothWindowsClose) {
  QuickReminder("too late", "0");
  EXPECT_EQ(Titles(), std::vector<QString>{"Date/time is older than now"});
  EXPECT_FALSE(std::filesystem::exists(home.store()));
  EXPECT_FALSE(app.quickAdd);
  EXPECT_FALSE(app.setNew);
}

// An open new reminder dialog is used with its program and its date, which moves to
// the next day past midnight.
struct OpenDialogCase {
  std::chrono::local_seconds now;
  std::u16string date, time;
};

class QuickIntoAnOpenDialogTest : public QuickAddTest, public ::testing::WithParamInterface<OpenDialogCase> {};

TEST_P(QuickIntoAnOpenDialogTest, KeepsItsProgramAndItsDateUnlessPastMidnight) {
  clock.now = GetParam().now;
  frmSetNewReminder* entry = OpenNew();
  QTest::keyClicks(Control<QLineEdit>(entry, "txtAbout"), "typed before");
  PickDate(entry, year{2026} / 12 / 20);
  QTest::mouseClick(Control(entry, "chkTask"), Qt::LeftButton);
  chooser.answer = "/usr/bin/xclock";
  Click(entry, "cmdBrowse");
  TypeOver(Control<QComboBox>(entry, "cboHH"), "7");
  QuickReminder("from quick", "5");
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"from quick", GetParam().date, GetParam().time, u"/usr/bin/xclock"));
  EXPECT_FALSE(app.setNew);
}

INSTANTIATE_TEST_SUITE_P(Moments, QuickIntoAnOpenDialogTest,
                         ::testing::Values(OpenDialogCase{At(2026, 12, 6, 10, 15, 40), u"12/20/2026", u"10:20:00"},
                                           OpenDialogCase{At(2026, 12, 6, 23, 58, 30), u"12/07/2026", u"00:03:00"}));

}  // namespace
