#include "entry/frmEdit.h"

#include "entry/EntryFixture.h"
#include "manager/frmManager.h"
#include "platform/FlexGrid.h"

using namespace std::chrono_literals;

namespace {

class EditTest : public EntryFixture {
 protected:
  // Opens the manager, selects `row` and presses Edit.
  frmEdit* EditRow(int row) {
    frmManager* m = ShowManager(app, nullptr);
    FlexGrid* grid = m->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(row, 0)).center());
    Click(m, "cmdEdit");
    EXPECT_TRUE(app.edit);
    return app.edit;
  }
  std::string Tomorrow(std::u16string_view about, std::u16string_view time = u"09:05:00",
                       std::u16string_view task = u"") {
    return RecordOf(about, forms->DateText(DateOf(t0 + 24h)), time, task);
  }
  // Saving is refused with the "File error!" box and the store keeps its bytes.
  void ExpectRefusedAsChanged(frmEdit* e) {
    const std::string before = home.StoreBytes();
    messages.shown.clear();
    Click(e, "cmdOK");
    EXPECT_EQ(home.StoreBytes(), before);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, "File error!");
    EXPECT_TRUE(messages.shown[0].text.contains("since the list was loaded"));
    EXPECT_TRUE(e->isVisible());
  }
};

TEST_F(EditTest, LoadsTheRowUnlockedAsStoredAndLocksDifferentlyFromTheNewReminderDialog) {
  home.WriteStore(Tomorrow(u"Dentist", u"09:05:00", u"/usr/bin/dentist"));
  frmEdit* e = EditRow(1);
  EXPECT_EQ(Control<QCalendarWidget>(e, "CalEdit")->selectedDate(), QDate(2026, 12, 7));
  const std::pair<const char*, QString> boxes[] = {{"cboEditHH", "9"}, {"cboEditMM", "5"}, {"cboEditSS", "0"}};
  for (const auto& [box, text] : boxes) EXPECT_EQ(Control<QComboBox>(e, box)->currentText(), text);
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "/usr/bin/dentist");
  EXPECT_TRUE(Enabled(e, "cboEditMM") && Enabled(e, "cboEditSS") && Enabled(e, "cmdOK"));
  EXPECT_FALSE(Enabled(e, "cboEditHH") || Enabled(e, "chkTask") || Enabled(e, "cmdBrowse"));

  auto* about = Control<QLineEdit>(e, "txtAbout");
  EXPECT_EQ(about->text(), "Dentist");
  about->selectAll();
  QTest::keyClick(about, Qt::Key_Backspace);
  for (const char* name : {"cmdOK", "cboEditHH", "cboEditMM", "cboEditSS", "chkTask"}) EXPECT_FALSE(Enabled(e, name));
  QTest::keyClicks(about, "X");
  EXPECT_TRUE(Enabled(e, "cboEditHH") && Enabled(e, "chkTask"));
  EXPECT_FALSE(Enabled(e, "cboEditMM"));
  TypeOver(Control<QComboBox>(e, "cboEditHH"), "");  // unlocks the minutes whatever its text
  EXPECT_TRUE(Enabled(e, "cboEditMM"));
  // The task box touches only Browse: the path label stays greyed.
  Control<QCheckBox>(e, "chkTask")->setChecked(true);
  EXPECT_TRUE(Enabled(e, "cmdBrowse"));
  EXPECT_FALSE(Enabled(e, "lblPath"));
}

TEST_F(EditTest, CancelledChooserShowsTheFileItLastGaveOrNothing) {
  home.WriteStore(Tomorrow(u"Dentist", u"09:05:00", u"/bin/old"));
  frmEdit* e = EditRow(1);
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), " ");
  Control<QCheckBox>(e, "chkTask")->setChecked(true);
  Click(e, "cmdBrowse");
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "");
  chooser.answer = "/bin/chosen";
  Click(e, "cmdBrowse");
  chooser.answer.reset();
  Click(e, "cmdBrowse");
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "/bin/chosen");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EditTest, RewritesTheSelectedOfTwoRemindersWithTheSameTextEvenWithItsAboutChanged) {
  const std::string first = Tomorrow(u"Call mom");
  home.WriteStore(first + first);
  frmEdit* e = EditRow(2);
  Control<QLineEdit>(e, "txtAbout")->end(false);
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), " more");
  TypeOver(Control<QComboBox>(e, "cboEditSS"), "30");
  Click(e, "cmdOK");
  EXPECT_EQ(home.StoreBytes(), first + Tomorrow(u"Call mom more", u"09:05:30"));
  EXPECT_EQ(Titles(), std::vector<QString>{"Reminder"});
  Settle();
  EXPECT_FALSE(app.edit);
}

TEST_F(EditTest, SecondEditFromTheKeptListRefusesOnceItsRecordChanged) {
  home.WriteStore(RecordOf(u"Meeting", forms->DateText(DateOf(t0 + 24h)), u"09:00:00") +
                  RecordOf(u"Meeting", forms->DateText(DateOf(t0 + 48h)), u"10:00:00"));
  frmEdit* first = EditRow(2);
  Control<QLineEdit>(first, "txtAbout")->end(false);
  QTest::keyClicks(Control<QLineEdit>(first, "txtAbout"), " moved");
  Click(first, "cmdOK");
  Settle();
  // The manager reappears with the list it had, row 2 still showing the old texts.
  QPointer<frmEdit> second = EditRow(2);
  EXPECT_EQ(Control<QLineEdit>(second, "txtAbout")->text(), "Meeting");
  ExpectRefusedAsChanged(second);
}

TEST_F(EditTest, NoMatchingRecordFailsUnderFileError) {
  home.WriteStore(Tomorrow(u"Dentist"));
  frmEdit* e = EditRow(1);
  home.WriteStore(Tomorrow(u"Dentist", u"10:00:00") + Tomorrow(u"Plumber"));  // another program wrote
  ExpectRefusedAsChanged(e);
}

// A row whose date or time does not read back: nothing is saved until a time is entered.
class UnreadableRowTest : public EditTest, public ::testing::WithParamInterface<bool> {};

TEST_P(UnreadableRowTest, LeavesTheBoxesEmptyUntilATimeIsEntered) {
  const bool dateReads = GetParam();
  home.WriteStore(dateReads ? Tomorrow(u"Garbled", u"nonsense") : RecordOf(u"Garbled", u"99/99/9999", u"09:05:00"));
  frmEdit* e = EditRow(1);
  for (const char* box : {"cboEditHH", "cboEditMM", "cboEditSS"})
    EXPECT_EQ(Control<QComboBox>(e, box)->currentText(), "") << box;
  EXPECT_FALSE(Enabled(e, "cmdOK"));
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), "!");
  for (const char* box : {"cboEditHH", "cboEditMM", "cboEditSS"}) TypeOver(Control<QComboBox>(e, box), "23");
  Click(e, "cmdOK");
  EXPECT_EQ(TrimSpaces(DecodeRecord(home.StoreBytes().data()).Time), u"23:23:23");
}

// The time is unreadable in one row, the date in the other.
INSTANTIATE_TEST_SUITE_P(Rows, UnreadableRowTest, ::testing::Bool());

}  // namespace
