#include "entry/EntryFixture.h"

using namespace std::chrono_literals;

namespace {

class EditTest : public EntryFixture {
 protected:
  std::string Tomorrow(std::u16string_view about, std::u16string_view time = u"09:05:00") {
    return RecordOf(about, forms->DateText(DateOf(t0 + 24h)), time, u"");
  }
  // Saving is refused with the "File error!" box and the store keeps its bytes.
  void ExpectRefusedAsChanged(frmEdit* e) {
    const std::string before = home.StoreBytes();
    messages.shown.clear();
    Click(e, "cmdOK");
    EXPECT_EQ(home.StoreBytes(), before);
    EXPECT_EQ(Titles(), QStringList{"File error!"});
    EXPECT_TRUE(messages.shown.at(0).text.contains("since the list was loaded"));
    EXPECT_TRUE(e->isVisible());
  }
};

// The row as stored, read or not: the boxes show what reads back; emptying About locks all,
// and typing again unlocks the hour box, whose keys unlock the minutes whatever its text.
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
  QTest::keyClicks(about, "X");
  TypeOver(Control<QComboBox>(e, "cboEditHH"), "2");
  TypeOver(Control<QComboBox>(e, "cboEditHH"), "");
  EXPECT_TRUE(Enabled(e, "cboEditMM"));
  for (const char* box : {"cboEditHH", "cboEditMM", "cboEditSS"}) TypeOver(Control<QComboBox>(e, box), "23");
  Click(e, "cmdOK");
  EXPECT_EQ(TrimSpaces(DecodeRecord(home.StoreBytes().data()).Time), u"23:23:23");
}

INSTANTIATE_TEST_SUITE_P(Rows, EditRowTest,
                         ::testing::Values(RowCase{"readable", u"12/07/2026", u"09:05:00", "9", "5", "0"},
                                           RowCase{"time_unreadable", u"12/07/2026", u"nonsense", "", "", ""},
                                           RowCase{"date_unreadable", u"99/99/9999", u"09:05:00", "", "", ""}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(EditTest, RewritesTheSelectedOfTwoRemindersWithTheSameText) {
  const std::string first = Tomorrow(u"Call mom");
  home.WriteStore(first + first);
  frmEdit* e = EditRow(2);
  Control<QLineEdit>(e, "txtAbout")->end(false);
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), " more");
  Click(e, "cmdOK");
  EXPECT_EQ(home.StoreBytes(), first + Tomorrow(u"Call mom more"));
}

TEST_F(EditTest, SecondEditFromTheKeptListRefusesOnceItsRecordChanged) {
  home.WriteStore(Tomorrow(u"Meeting") + Tomorrow(u"Meeting", u"10:00:00"));
  frmEdit* first = EditRow(2);
  QTest::keyClicks(Control<QLineEdit>(first, "txtAbout"), " moved");
  Click(first, "cmdOK");
  Settle();
  // The manager reappears with the list it had, row 2 still showing the old texts.
  QPointer<frmEdit> second = EditRow(2);
  EXPECT_EQ(Control<QLineEdit>(second, "txtAbout")->text(), "Meeting");
  ExpectRefusedAsChanged(second);
}

TEST_F(EditTest, RefusesWhenNoRecordMatchesTheRowAnyMore) {
  home.WriteStore(Tomorrow(u"Dentist"));
  frmEdit* e = EditRow(1);
  home.WriteStore(Tomorrow(u"Dentist", u"10:00:00") + Tomorrow(u"Plumber"));  // another program wrote
  ExpectRefusedAsChanged(e);
}

}  // namespace
