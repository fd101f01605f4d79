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
  std::string NineOhFive(std::u16string_view about, std::u16string_view task = u"") {
    return RecordOf(about, forms->DateText(DateOf(t0 + 24h)), u"09:05:00", task);
  }
  ReminderRecord StoredRecord(int number) {
    ReminderRecord out;
    store.ScanReminders(FileIo::Sharing::Plain, [&](int n, const ReminderRecord& r) {
      if (n == number) out = r;
      return n < number;
    });
    return out;
  }
  static bool Enabled(QWidget* w, const char* name) { return Control(w, name)->isEnabled(); }
};

TEST_F(EditTest, LoadsTheRowWithItsTimeInTheBoxesAndUnlocksAsStored) {
  home.WriteStore(NineOhFive(u"Dentist", u"/usr/bin/dentist"));
  frmEdit* e = EditRow(1);
  EXPECT_EQ(e->windowTitle(), "Edit Values");
  EXPECT_EQ(Control<QLineEdit>(e, "txtAbout")->text(), "Dentist");
  EXPECT_EQ(Control<QComboBox>(e, "cboEditHH")->currentText(), "9");
  EXPECT_EQ(Control<QComboBox>(e, "cboEditMM")->currentText(), "5");
  EXPECT_EQ(Control<QComboBox>(e, "cboEditSS")->currentText(), "0");
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "/usr/bin/dentist");
  struct State {
    const char* name;
    bool enabled;
  };
  for (const State& s : {State{"cboEditMM", true}, State{"cboEditSS", true}, State{"cmdOK", true},
                         State{"cboEditHH", false}, State{"chkTask", false}, State{"cmdBrowse", false},
                         State{"lblPath", false}, State{"cmdCancel", true}})
    EXPECT_EQ(Enabled(e, s.name), s.enabled) << s.name;
  EXPECT_FALSE(Control<QCheckBox>(e, "chkTask")->isChecked());
  EXPECT_EQ(e->EditRecordNumber(), 1);
}

TEST_F(EditTest, UnlockChainDiffersFromTheNewReminderDialog) {
  home.WriteStore(NineOhFive(u"Dentist"));
  frmEdit* e = EditRow(1);
  auto* about = Control<QLineEdit>(e, "txtAbout");
  about->selectAll();
  QTest::keyClick(about, Qt::Key_Backspace);
  for (const char* name : {"cmdOK", "cboEditHH", "cboEditMM", "cboEditSS", "chkTask"}) EXPECT_FALSE(Enabled(e, name)) << name;
  QTest::keyClicks(about, "X");
  EXPECT_TRUE(Enabled(e, "cboEditHH"));
  EXPECT_TRUE(Enabled(e, "chkTask"));
  EXPECT_FALSE(Enabled(e, "cboEditMM"));
  EXPECT_FALSE(Enabled(e, "cmdOK"));
  // The hour box unlocks the minutes whatever its text, even emptied.
  TypeOver(Control<QComboBox>(e, "cboEditHH"), "");
  EXPECT_TRUE(Enabled(e, "cboEditMM"));
  // The task box touches only Browse: the path label stays greyed.
  Control<QCheckBox>(e, "chkTask")->setChecked(true);
  EXPECT_TRUE(Enabled(e, "cmdBrowse"));
  EXPECT_FALSE(Enabled(e, "lblPath"));
}

TEST_F(EditTest, CancelledChooserShowsTheFileItLastGaveOrNothing) {
  home.WriteStore(NineOhFive(u"Dentist", u"/bin/old"));
  frmEdit* e = EditRow(1);
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), " ");
  Control<QCheckBox>(e, "chkTask")->setChecked(true);
  chooser.answer.reset();
  Click(e, "cmdBrowse");
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "");
  ASSERT_EQ(chooser.requests.size(), 1u);
  EXPECT_EQ(chooser.requests[0].title, "Open Program");
  EXPECT_EQ(chooser.requests[0].filter, "");
  chooser.answer = "/bin/chosen";
  Click(e, "cmdBrowse");
  chooser.answer.reset();
  Click(e, "cmdBrowse");
  EXPECT_EQ(Control<QLabel>(e, "lblPath")->text(), "/bin/chosen");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EditTest, DateMovedToYesterdayIsRejectedAndNothingIsWritten) {
  home.WriteStore(NineOhFive(u"Dentist"));
  frmEdit* e = EditRow(1);
  Control<QCalendarWidget>(e, "CalEdit")->setSelectedDate(QDate(2026, 12, 5));
  Click(e, "cmdOK");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Old date and/or time, can't set reminder.Enter correct date/time.");
  EXPECT_EQ(messages.shown[0].title, "Date/time is older than now");
  EXPECT_FALSE(Enabled(e, "cmdOK"));
  EXPECT_EQ(home.StoreBytes(), NineOhFive(u"Dentist"));
}

TEST_F(EditTest, SavesOverTheSelectedOfTwoRemindersWithTheSameText) {
  const std::string first = NineOhFive(u"Call mom"), second = NineOhFive(u"CALL MOM ");
  home.WriteStore(first + second);
  frmMain* main = LoadMain();
  frmEdit* e = EditRow(2);
  EXPECT_EQ(e->EditRecordNumber(), 2);
  TypeOver(Control<QComboBox>(e, "cboEditSS"), "30");
  Click(e, "cmdOK");
  EXPECT_EQ(home.StoreBytes().substr(0, 356), first);
  EXPECT_EQ(TrimSpaces(StoredRecord(2).Time), u"09:05:30");
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_EQ(messages.shown.back().text, "Reminder is set");
  Settle();
  EXPECT_FALSE(app.edit);
  EXPECT_EQ(main->findChild<QLabel*>("lblNoOfReminders")->text(), "[0]");
}

TEST_F(EditTest, ChangedAboutStillRewritesTheRecordFoundAtLoading) {
  home.WriteStore(NineOhFive(u"one") + NineOhFive(u"two"));
  frmEdit* e = EditRow(2);
  Control<QLineEdit>(e, "txtAbout")->end(false);
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), " more");
  Click(e, "cmdOK");
  EXPECT_EQ(TrimSpaces(StoredRecord(2).About), u"two more");
  EXPECT_EQ(TrimSpaces(StoredRecord(1).About), u"one");
}

TEST_F(EditTest, SecondEditFromTheKeptListRefusesOnceItsRecordChanged) {
  const std::string tomorrow = RecordOf(u"Meeting", forms->DateText(DateOf(t0 + 24h)), u"09:00:00");
  const std::string dayAfter = RecordOf(u"Meeting", forms->DateText(DateOf(t0 + 48h)), u"10:00:00");
  home.WriteStore(tomorrow + dayAfter);
  frmEdit* first = EditRow(2);
  Control<QLineEdit>(first, "txtAbout")->end(false);
  QTest::keyClicks(Control<QLineEdit>(first, "txtAbout"), " moved");
  Click(first, "cmdOK");
  Settle();
  const std::string afterFirst = home.StoreBytes();
  ASSERT_EQ(TrimSpaces(StoredRecord(2).About), u"Meeting moved");
  messages.shown.clear();

  // The manager reappears with the list it had, row 2 still showing the old texts.
  QPointer<frmEdit> second = EditRow(2);
  Click(second, "cmdOK");
  EXPECT_EQ(home.StoreBytes(), afterFirst);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "File error!");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(messages.shown[0].text.contains("since the list was loaded"));
  ASSERT_TRUE(second);
  EXPECT_TRUE(second->isVisible());
  EXPECT_EQ(Control<QLineEdit>(second, "txtAbout")->text(), "Meeting");
}

TEST_F(EditTest, TaskPathTheStoreCannotHoldIsRefused) {
  home.WriteStore(NineOhFive(u"Dentist"));
  frmEdit* e = EditRow(1);
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), " ");
  Control<QCheckBox>(e, "chkTask")->setChecked(true);
  chooser.answer = QString::fromUtf16(u"/home/\u65e5\u672c/run");
  Click(e, "cmdBrowse");
  Click(e, "cmdOK");
  EXPECT_EQ(home.StoreBytes(), NineOhFive(u"Dentist"));
  ASSERT_FALSE(messages.shown.empty());
  EXPECT_NE(messages.shown.back().title, "File error!");
}

// A row whose date or time does not read back: nothing is saved until a time is entered.
struct UnreadableRow {
  const char* name;
  bool dateReads;
  bool timeReads;
};

void PrintTo(const UnreadableRow& c, std::ostream* os) { *os << c.name; }

class UnreadableRowTest : public EditTest, public ::testing::WithParamInterface<UnreadableRow> {};

TEST_P(UnreadableRowTest, LeavesTheBoxesEmptyUntilATimeIsEntered) {
  const std::u16string date = GetParam().dateReads ? forms->DateText(DateOf(t0 + 24h)) : u"99/99/9999";
  home.WriteStore(RecordOf(u"Garbled", date, GetParam().timeReads ? u"09:05:00" : u"nonsense"));
  frmEdit* e = EditRow(1);
  for (const char* box : {"cboEditHH", "cboEditMM", "cboEditSS"})
    EXPECT_EQ(Control<QComboBox>(e, box)->currentText(), "") << box;
  EXPECT_FALSE(Enabled(e, "cmdOK"));
  QTest::keyClicks(Control<QLineEdit>(e, "txtAbout"), "!");
  TypeOver(Control<QComboBox>(e, "cboEditHH"), "23");
  TypeOver(Control<QComboBox>(e, "cboEditMM"), "0");
  TypeOver(Control<QComboBox>(e, "cboEditSS"), "0");
  EXPECT_TRUE(Enabled(e, "cmdOK"));
  Click(e, "cmdOK");
  EXPECT_EQ(TrimSpaces(StoredRecord(1).Time), u"23:00:00");
}

INSTANTIATE_TEST_SUITE_P(Rows, UnreadableRowTest,
                         ::testing::Values(UnreadableRow{"time", true, false}, UnreadableRow{"date", false, true}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
