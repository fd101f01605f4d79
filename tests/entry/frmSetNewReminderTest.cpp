#include "entry/EntryFixture.h"
#include "platform/LabelText.h"

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

class NewReminderTest : public EntryFixture {};

TEST_F(NewReminderTest, UnlockChainOpensStepByStepAndStepsBack) {
  frmSetNewReminder* w = OpenNew();
  auto* about = Control<QLineEdit>(w, "txtAbout");
  QTest::keyClicks(about, " ");  // blanks count as text
  EXPECT_TRUE(Enabled(w, "cboHH") && Enabled(w, "chkTask"));
  EXPECT_FALSE(Enabled(w, "cboMM"));
  QTest::keyClick(about, Qt::Key_Backspace);
  EXPECT_FALSE(Enabled(w, "cboHH") || Enabled(w, "chkTask"));

  QTest::keyClicks(about, "Dentist");
  auto* hour = Control<QComboBox>(w, "cboHH");
  TypeOver(hour, "9");
  EXPECT_TRUE(Enabled(w, "cboMM"));
  TypeOver(hour, "");  // emptied by keys: the minute box locks again
  EXPECT_FALSE(Enabled(w, "cboMM"));
  QTest::keyClick(hour, Qt::Key_Down);  // choosing from the list unlocks it too
  EXPECT_TRUE(Enabled(w, "cboMM"));
  auto* minute = Control<QComboBox>(w, "cboMM");
  TypeOver(minute, "");
  EXPECT_FALSE(Enabled(w, "cboSS"));
  TypeOver(minute, "MM");
  EXPECT_TRUE(Enabled(w, "cboSS"));

  auto* second = Control<QComboBox>(w, "cboSS");
  TypeOver(second, "0");  // "MM" in the minute box: no time, no message
  TypeOver(minute, "59");
  EXPECT_FALSE(Enabled(w, "cmdSetReminder"));  // only the second box runs the test
  QTest::keyClick(second, Qt::Key_Down);         // a second chosen from the list
  EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
  // Later edits of hour and About leave Set Reminder alone.
  TypeOver(hour, "99");
  about->selectAll();
  QTest::keyClick(about, Qt::Key_Delete);
  EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NewReminderTest, PastMomentOrNoTimeIsRefusedUntilTheSecondBoxIsPassedAgain) {
  clock.now = t0 + 30s;
  frmSetNewReminder* w = OpenNew();
  Fill(w, "moment", "18", "5", "29");
  Click(w, "cmdSetReminder");
  EXPECT_FALSE(Enabled(w, "cmdSetReminder"));
  TypeOver(Control<QComboBox>(w, "cboSS"), "30");  // this second is not older
  TypeOver(Control<QComboBox>(w, "cboHH"), "24");  // but the hour no longer makes a time
  Click(w, "cmdSetReminder");
  EXPECT_EQ(Titles(), (std::vector<QString>{"Date/time is older than now", "Date/time is older than now"}));
  EXPECT_FALSE(std::filesystem::exists(home.store()));
  TypeOver(Control<QComboBox>(w, "cboHH"), "18");
  TypeOver(Control<QComboBox>(w, "cboSS"), "30");
  Click(w, "cmdSetReminder");
  EXPECT_EQ(home.StoreBytes(), Due(u"moment", t0 + 30s));
}

TEST_F(NewReminderTest, SaveAppendsTheChosenMomentAndTaskThenClosesAndRecounts) {
  frmMain* main = LoadMain();
  frmSetNewReminder* w = OpenNew(main);
  Fill(w, "Call the garage", "21", "5", "0");
  chooser.answer = "/usr/local/bin/garage-call";
  QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);
  Click(w, "cmdBrowse");
  Click(w, "cmdSetReminder");
  EXPECT_EQ(home.StoreBytes(), Due(u"Call the garage", t0 + 3h, u"/usr/local/bin/garage-call"));
  EXPECT_EQ(Titles(), std::vector<QString>{"Reminder"});
  Settle();
  EXPECT_FALSE(app.setNew);
  EXPECT_EQ(Control<QLabel>(main, "lblNoOfReminders")->text(), "[1]");
}

TEST_F(NewReminderTest, CancelledChooserUnticksTheBoxAndKeepsThePathAsWritten) {
  frmSetNewReminder* w = OpenNew();
  QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), "x");
  QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);
  chooser.answer = "/opt/a<b>b</b>/<i>run</i>";
  Click(w, "cmdBrowse");
  chooser.answer.reset();
  Click(w, "cmdBrowse");
  EXPECT_EQ(Titles(), std::vector<QString>{"Reminder"});
  EXPECT_FALSE(Control<QCheckBox>(w, "chkTask")->isChecked());
  EXPECT_FALSE(Enabled(w, "cmdBrowse"));
  EXPECT_EQ(DrawnText(Control<QLabel>(w, "lblPath")), "/opt/a<b>b</b>/<i>run</i>");  // never read as markup
}

TEST_F(NewReminderTest, TaskPathTheStoreCannotHoldIsRefusedUntilUnticked) {
  const QString path = QString::fromUtf16(u"/opt/\u65e5\u672c/run");
  frmSetNewReminder* w = OpenNew();
  Fill(w, "x", "20", "0", "0");
  QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);
  chooser.answer = path;
  Click(w, "cmdBrowse");
  Click(w, "cmdSetReminder");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.contains(path));
  EXPECT_FALSE(std::filesystem::exists(home.store()));
  QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);  // saved without its task
  Click(w, "cmdSetReminder");
  EXPECT_EQ(home.StoreBytes(), Due(u"x", t0 + 2h - 5min));
}

TEST_F(NewReminderTest, FailedWriteShowsTheFileErrorAndKeepsTheDialogAsFilled) {
  frmSetNewReminder* w = OpenNew();
  Fill(w, "kept", "20", "0", "0");
  std::filesystem::remove_all(home.root());
  Click(w, "cmdSetReminder");
  ASSERT_EQ(Titles(), std::vector<QString>{"File error!"});
  EXPECT_EQ(messages.shown[0].text.toStdString(), "No such file or directory: " + home.store().native());
  Settle();
  ASSERT_EQ(app.setNew, w);
  EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
  EXPECT_EQ(Control<QLineEdit>(w, "txtAbout")->text(), "kept");
}

}  // namespace
