#include "entry/EntryFixture.h"
#include "ui/LabelText.h"

using namespace std::chrono_literals;

namespace {

class NewReminderTest : public EntryFixture {};

TEST_F(NewReminderTest, UnlockChainOpensStepByStepAndStepsBack) {
  frmSetNewReminder* w = ShowNewReminder(app, nullptr);
  auto* about = Control<QLineEdit>(w, "txtAbout");
  QTest::keyClicks(about, " ");  // blanks count as text
  auto* hour = Control<QComboBox>(w, "cboHH");
  TypeOver(hour, "9");
  EXPECT_TRUE(Enabled(w, "cboMM"));
  TypeOver(hour, "");  // emptied by keys: the minute box locks again
  EXPECT_FALSE(Enabled(w, "cboMM"));
  QTest::keyClick(hour, Qt::Key_Down);  // choosing from the list unlocks it
  TypeOver(Control<QComboBox>(w, "cboMM"), "MM");
  TypeOver(Control<QComboBox>(w, "cboSS"), "0");  // "MM": no time, no message
  TypeOver(Control<QComboBox>(w, "cboMM"), "59");
  EXPECT_FALSE(Enabled(w, "cmdSetReminder"));  // only the second box runs the test
  QTest::keyClick(Control<QComboBox>(w, "cboSS"), Qt::Key_Down);
  TypeOver(hour, "99");  // later edits of the hour leave Set Reminder alone
  EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
}

// Set Reminder at 18:05:00 with the dialog filled as a row says: saved and closed, or refused
// with the dialog kept.
struct SaveCase {
  const char* name;
  QString hour, minute, hourAfter;  // hourAfter: typed once the second box unlocked Set
  std::u16string task;
  bool folderGone;
  QString title;
  std::optional<std::chrono::seconds> due;  // after 18:05:00, when saved
  bool setStaysEnabled;
};

class NewReminderSaveTest : public NewReminderTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(NewReminderSaveTest, SavesOrRefuses) {
  const SaveCase& c = GetParam();
  frmSetNewReminder* w = ShowNewReminder(app, nullptr);
  QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), "x");
  TypeOver(Control<QComboBox>(w, "cboHH"), c.hour);
  TypeOver(Control<QComboBox>(w, "cboMM"), c.minute);
  TypeOver(Control<QComboBox>(w, "cboSS"), "0");
  if (!c.hourAfter.isEmpty()) TypeOver(Control<QComboBox>(w, "cboHH"), c.hourAfter);
  if (!c.task.empty()) ChooseTask(w, QString::fromStdU16String(c.task));
  if (c.folderGone) std::filesystem::remove_all(home.root());
  Click(w, "cmdSetReminder");
  EXPECT_THAT(messages.shown, Titled(c.title));
  Settle();
  if (c.due) {
    EXPECT_EQ(home.StoreBytes(), Due(u"x", t0 + *c.due, c.task));
    EXPECT_FALSE(app.setNew);
    return;
  }
  EXPECT_FALSE(std::filesystem::exists(home.store()));
  ASSERT_EQ(app.setNew, w);
  EXPECT_EQ(Enabled(w, "cmdSetReminder"), c.setStaysEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, NewReminderSaveTest,
    ::testing::Values(SaveCase{"with_task", "21", "5", "", u"/usr/bin/garage", false, "Reminder", 3h, false},
                      SaveCase{"a_minute_ago", "18", "4", "", u"", false, "Date/time is older than now", {}, false},
                      SaveCase{"no_time", "20", "0", "24", u"", false, "Date/time is older than now", {}, false},
                      SaveCase{
                          "task_outside_code_page", "20", "0", "", u"/opt/\u65e5/run", false, "Reminder", {}, true},
                      SaveCase{"folder_gone", "20", "0", "", u"", true, "File error!", {}, true}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(NewReminderTest, CancelledChooserUnticksTheBoxAndKeepsThePathAsWritten) {
  frmSetNewReminder* w = ShowNewReminder(app, nullptr);
  QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), "x");
  ChooseTask(w, "/opt/a<b>b</b>/<i>run</i>");
  chooser.answer.reset();
  Click(w, "cmdBrowse");
  EXPECT_THAT(messages.shown, Titled("Reminder"));
  EXPECT_FALSE(Control<QCheckBox>(w, "chkTask")->isChecked() || Enabled(w, "cmdBrowse"));
  EXPECT_EQ(DrawnText(Control<QLabel>(w, "lblPath")), "/opt/a<b>b</b>/<i>run</i>");  // never read as markup
}

}  // namespace
