#include "entry/EntryFixture.h"

using namespace std::chrono_literals;

namespace {

using EditTest = EntryFixture;

// The row as stored, read or not: the boxes show what reads back; emptying About locks all,
// and typing again unlocks the hour box, whose keys unlock the next box.
struct RowCase {
  const char* name;
  std::u16string date, time;
  QString hour, minute, second;
};

class EditRowTest : public EditTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(EditRowTest, ShowsWhatReadsBackAndSavesTheTimeTypedIn) {
  const RowCase& c = GetParam();
  home.WriteStore(RecordOf(u"Dentist", c.date, c.time, u"/usr/bin/dentist"));
  frmEdit* e = EditRow(1);
  EXPECT_EQ(Control<QComboBox>(e, "cboEditHH")->currentText(), c.hour);
  EXPECT_EQ(Control<QComboBox>(e, "cboEditMM")->currentText(), c.minute);
  EXPECT_EQ(Control<QComboBox>(e, "cboEditSS")->currentText(), c.second);
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "/usr/bin/dentist");
  EXPECT_EQ(Enabled(e, "cmdOK"), !c.hour.isEmpty());
  EXPECT_FALSE(Enabled(e, "cboEditHH") || Enabled(e, "chkTask") || Enabled(e, "cmdBrowse"));
  auto* about = Control<QLineEdit>(e, "txtAbout");
  about->selectAll();
  QTest::keyClick(about, Qt::Key_Backspace);
  for (const char* name : {"cmdOK", "cboEditHH", "cboEditMM", "cboEditSS"}) EXPECT_FALSE(Enabled(e, name)) << name;
  QTest::keyClicks(about, "X");  // the boxes unlock one by one as they are typed in
  for (const char* box : {"cboEditHH", "cboEditMM", "cboEditSS"}) TypeOver(Control<QComboBox>(e, box), "23");
  Click(e, "cmdOK");
  EXPECT_EQ(TrimSpaces(DecodeRecord(home.StoreBytes().data()).Time), u"23:23:23");
}

INSTANTIATE_TEST_SUITE_P(Rows, EditRowTest,
                         ::testing::Values(RowCase{"readable", u"12/07/2026", u"09:05:00", "9", "5", "0"},
                                           RowCase{"time_unreadable", u"12/07/2026", u"nonsense", "", "", ""},
                                           RowCase{"date_unreadable", u"99/99/9999", u"09:05:00", "", "", ""}),
                         [](const auto& p) { return std::string(p.param.name); });

// A cancelled chooser shows the file it gave earlier in this dialog, or nothing; the box
// stays ticked and nothing is said.
TEST_F(EditTest, CancelledChooserShowsTheFileItLastGaveOrNothing) {
  home.WriteStore(RecordOf(u"Dentist", u"12/07/2026", u"09:05:00", u"/bin/old"));
  frmEdit* e = EditRow(1);
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), " ");
  QTest::mouseClick(Control(e, "chkTask"), Qt::LeftButton);
  Click(e, "cmdBrowse");
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "");
  chooser.answer = "/bin/chosen";
  Click(e, "cmdBrowse");
  chooser.answer.reset();
  Click(e, "cmdBrowse");
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "/bin/chosen");
  EXPECT_TRUE(Control<QCheckBox>(e, "chkTask")->isChecked());
  EXPECT_TRUE(messages.shown.empty());
}

// Of two alike reminders the second row rewrites the second, in place. The manager, hidden
// while the dialog was open, comes back with the list it had: a second edit of that row
// finds no second alike reminder any more and writes nothing, rather than the first.
TEST_F(EditTest, SecondOfTwoAlikeIsRewrittenAndAStaleSecondEditWritesNothing) {
  const std::string meeting = Due(u"meeting", t0 + 1h), other = Due(u"other", t0 + 2h);
  home.WriteStore(meeting + meeting + other);
  for (int edit = 1; edit <= 2; ++edit) {
    frmEdit* e = EditRow(2);
    QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), "meeting B");  // over the selected text
    Click(e, "cmdOK");
    Settle();
    EXPECT_EQ(home.StoreBytes(), meeting + Due(u"meeting B", t0 + 1h) + other) << edit;
  }
  EXPECT_TRUE(app.edit && messages.shown.size() == 2u);  // saved; then why not
}

}  // namespace
