#include <QGroupBox>

#include "entry/EntryFixture.h"
#include "platform/Twips.h"

using namespace std::chrono;
using namespace std::chrono_literals;

namespace {

class NewReminderTest : public EntryFixture {
 protected:
  bool Enabled(QWidget* w, const char* name) { return Control(w, name)->isEnabled(); }
  std::string Saved(std::u16string_view about, local_seconds at, std::u16string_view task = u"") {
    return RecordOf(about, forms->DateText(DateOf(at)), forms->TimeText(TimeOfDayOf(at)), task);
  }
  // t0 is 2026-12-06 18:05:00.
  const year_month_day today = DateOf(t0);
};

TEST_F(NewReminderTest, OpensOnTodayWithOnlyTextCalendarAndCancelUsable) {
  frmSetNewReminder* w = OpenNew();
  EXPECT_EQ(w->windowTitle(), "Set Up New Reminder");
  EXPECT_EQ(w->size(), TwipsSize(4680, 4740));
  EXPECT_EQ(Control<QCalendarWidget>(w, "Calendar")->selectedDate(), QDate(2026, 12, 6));

  const std::pair<const char*, QString> boxes[] = {{"cboHH", "HH"}, {"cboMM", "MM"}, {"cboSS", "SS"}};
  for (const auto& [name, placeholder] : boxes) {
    auto* box = Control<QComboBox>(w, name);
    EXPECT_EQ(box->currentText(), placeholder) << name;
    EXPECT_EQ(box->currentIndex(), -1) << name;
    const int count = std::string_view(name) == "cboHH" ? 24 : 60;
    ASSERT_EQ(box->count(), count) << name;
    for (int i = 0; i < count; ++i) EXPECT_EQ(box->itemText(i), QString::number(i));
  }
  for (const char* name : {"txtAbout", "Calendar", "cmdCancel"}) EXPECT_TRUE(Enabled(w, name)) << name;
  for (const char* name : {"cboHH", "cboMM", "cboSS", "chkTask", "cmdBrowse", "lblPath", "cmdSetReminder"})
    EXPECT_FALSE(Enabled(w, name)) << name;
  EXPECT_FALSE(Control<QCheckBox>(w, "chkTask")->isChecked());
  EXPECT_EQ(Control<QLabel>(w, "lblPath")->text(), "path of the application task");
  EXPECT_EQ(Control<QLineEdit>(w, "txtAbout")->maxLength(), 80);
  EXPECT_EQ(w->focusWidget(), Control(w, "txtAbout"));
  EXPECT_TRUE(Control<QPushButton>(w, "cmdCancel")->isDefault());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NewReminderTest, ControlsCarryTheirCaptionsPlacesFontsAndOrder) {
  frmSetNewReminder* w = OpenNew();
  auto* frame = Control<QGroupBox>(w, "fraSet");
  EXPECT_EQ(frame->title(), "Set Reminder time and date");
  EXPECT_EQ(frame->geometry(), TwipsRect(80, 0, 4575, 4260));
  EXPECT_EQ(Control(w, "cboMM")->parentWidget(), frame);
  EXPECT_EQ(Control(w, "cboMM")->geometry(), TwipsRect(3000, 2760, 555, 315));
  EXPECT_EQ(Control(w, "Calendar")->geometry(), TwipsRect(1560, 600, 2895, 2175));
  EXPECT_EQ(Control(w, "cmdSetReminder")->geometry(), TwipsRect(120, 4320, 1455, 375));
  EXPECT_EQ(Control(w, "cmdCancel")->geometry(), TwipsRect(3180, 4320, 1455, 375));
  EXPECT_EQ(Control(w, "cmdSetReminder")->parentWidget(), w);
  EXPECT_EQ(Control<QPushButton>(w, "cmdSetReminder")->text(), "&Set Reminder");
  EXPECT_EQ(Control<QPushButton>(w, "cmdBrowse")->text(), "&Browse...");
  EXPECT_EQ(Control<QCheckBox>(w, "chkTask")->text(), "&And Launch this program(optional) :");
  EXPECT_EQ(Control<QLabel>(w, "lblTime")->text(), "Time:(24 Hr format)");
  EXPECT_EQ(Control<QLabel>(w, "lblAbout")->text(), "Remind about:");
  EXPECT_EQ(Control<QLabel>(w, "lblDate")->text(), "Date:");
  const QList<QLabel*> separators = w->findChildren<QLabel*>("lblsep");
  ASSERT_EQ(separators.size(), 2);
  EXPECT_EQ(separators[0]->geometry(), TwipsRect(2400, 3840, 45, 195));
  EXPECT_EQ(separators[1]->geometry(), TwipsRect(3120, 3840, 165, 195));

  EXPECT_EQ(Control(w, "lblPath")->font().family(), "Times New Roman");
  EXPECT_DOUBLE_EQ(Control(w, "lblPath")->font().pointSizeF(), 6.75);
  EXPECT_EQ(Control(w, "cboHH")->font().family(), "MS Sans Serif");
  EXPECT_EQ(Control(w, "cmdCancel")->font().family(), "Verdana");
  EXPECT_EQ(Control(w, "txtAbout")->font().family(), "Verdana");
  EXPECT_EQ(w->font().family(), "Tahoma");

  // Tab goes txtAbout, Calendar, hour, minute, second, task box, Browse, Set Reminder, Cancel.
  const QStringList order = {"txtAbout", "Calendar", "cboHH", "cboMM", "cboSS",
                             "chkTask", "cmdBrowse", "cmdSetReminder", "cmdCancel"};
  QStringList seen;
  QWidget* at = Control(w, "txtAbout");
  for (int guard = 0; guard < 200 && seen.size() < order.size(); ++guard, at = at->nextInFocusChain()) {
    for (QWidget* p = at; p && p != w; p = p->parentWidget()) {
      if (order.contains(p->objectName())) {
        if (seen.isEmpty() || seen.back() != p->objectName()) seen << p->objectName();
        break;
      }
    }
  }
  EXPECT_EQ(seen, order);

  for (QWidget* c : w->findChildren<QWidget*>()) {
    const QString name = c->objectName();
    if (!name.isEmpty() && !name.startsWith("qt_")) {
      EXPECT_FALSE(c->accessibleName().isEmpty()) << name.toStdString();
    }
  }
}

TEST_F(NewReminderTest, UnlockChainOpensStepByStepAndStepsBack) {
  frmSetNewReminder* w = OpenNew();
  auto* about = Control<QLineEdit>(w, "txtAbout");
  QTest::keyClicks(about, "D");
  EXPECT_TRUE(Enabled(w, "cboHH"));
  EXPECT_TRUE(Enabled(w, "chkTask"));
  EXPECT_FALSE(Enabled(w, "cboMM"));
  QTest::keyClick(about, Qt::Key_Backspace);
  EXPECT_FALSE(Enabled(w, "cboHH"));
  EXPECT_FALSE(Enabled(w, "chkTask"));

  QTest::keyClicks(about, "Dentist");
  auto* hour = Control<QComboBox>(w, "cboHH");
  TypeOver(hour, "9");
  EXPECT_TRUE(Enabled(w, "cboMM"));
  TypeOver(hour, "");  // emptied by keys: the minute box locks again
  EXPECT_FALSE(Enabled(w, "cboMM"));
  // Choosing from the list unlocks it too.
  QTest::keyClick(hour, Qt::Key_Down);
  EXPECT_EQ(hour->currentText(), "0");
  EXPECT_TRUE(Enabled(w, "cboMM"));

  auto* minute = Control<QComboBox>(w, "cboMM");
  TypeOver(minute, "5");
  EXPECT_TRUE(Enabled(w, "cboSS"));
  TypeOver(minute, "");
  EXPECT_FALSE(Enabled(w, "cboSS"));
  TypeOver(minute, "MM");
  EXPECT_TRUE(Enabled(w, "cboSS"));

  auto* second = Control<QComboBox>(w, "cboSS");
  TypeOver(second, "0");  // "MM" in the minute box: no valid time, no message
  EXPECT_FALSE(Enabled(w, "cmdSetReminder"));
  TypeOver(minute, "59");
  EXPECT_FALSE(Enabled(w, "cmdSetReminder"));  // only the second box runs the test
  QTest::keyClick(second, Qt::Key_Down);         // a second chosen from the list
  EXPECT_TRUE(Enabled(w, "cmdSetReminder"));

  // Later edits of hour and About leave Set Reminder alone.
  TypeOver(hour, "99");
  EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
  about->selectAll();
  QTest::keyClick(about, Qt::Key_Delete);
  EXPECT_FALSE(Enabled(w, "cboHH"));
  EXPECT_FALSE(Enabled(w, "chkTask"));
  EXPECT_TRUE(Enabled(w, "cboMM"));
  EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
  EXPECT_TRUE(messages.shown.empty());
}

struct BoxTimeCase {
  const char* hour;
  const char* minute;
  const char* second;
  bool enables;
};

class TimeBoxesTest : public NewReminderTest, public ::testing::WithParamInterface<BoxTimeCase> {};

TEST_P(TimeBoxesTest, SecondBoxEnablesSetReminderOnlyForATimeOfDay) {
  frmSetNewReminder* w = OpenNew();
  Fill(w, "x", GetParam().hour, GetParam().minute, GetParam().second);
  EXPECT_EQ(Enabled(w, "cmdSetReminder"), GetParam().enables);
  EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Boxes, TimeBoxesTest,
                         ::testing::Values(BoxTimeCase{"23", "59", "59", true}, BoxTimeCase{"0", "0", "0", true},
                                           BoxTimeCase{"24", "0", "0", false}, BoxTimeCase{"0", "60", "0", false},
                                           BoxTimeCase{"0", "0", "-1", false}, BoxTimeCase{"12", "MM", "0", false},
                                           BoxTimeCase{"12", " ", "0", false}, BoxTimeCase{"1a", "0", "0", false}));

struct MomentCase {
  const char* name;
  seconds fromNow;
  bool saved;
};

class MomentTest : public NewReminderTest, public ::testing::WithParamInterface<MomentCase> {};

TEST_P(MomentTest, RefusesThePastAndSavesNowAndLater) {
  const local_seconds at = t0 + GetParam().fromNow;
  clock.now = t0 + 30s;  // now is 18:05:30
  const local_seconds chosen = at + 30s;
  frmSetNewReminder* w = OpenNew();
  PickDate(w, DateOf(chosen));
  const seconds tod = TimeOfDayOf(chosen);
  Fill(w, "moment", QString::number(tod / 1h), QString::number(tod / 1min % 60), QString::number(tod.count() % 60));
  ASSERT_TRUE(Enabled(w, "cmdSetReminder"));
  Click(w, "cmdSetReminder");
  if (GetParam().saved) {
    EXPECT_EQ(Titles(), std::vector<QString>{"Reminder"});
    EXPECT_EQ(home.StoreBytes(), Saved(u"moment", chosen));
  } else {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Old date and/or time, can't set reminder.Enter correct date/time.");
    EXPECT_EQ(messages.shown[0].title, "Date/time is older than now");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_FALSE(Enabled(w, "cmdSetReminder"));
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(home.StoreBytes(), "");
    // Passing through the second box again enables it again.
    TypeOver(Control<QComboBox>(w, "cboSS"), Control<QComboBox>(w, "cboSS")->currentText());
    EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
  }
}

INSTANTIATE_TEST_SUITE_P(Moments, MomentTest,
                         ::testing::Values(MomentCase{"yesterday", -24h, false},
                                           MomentCase{"one_second_ago", -1s, false},
                                           MomentCase{"this_second", 0s, true},
                                           MomentCase{"tomorrow_at_an_earlier_hour", 24h - 10h, true},
                                           MomentCase{"next_year", 400 * 24h, true}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(NewReminderTest, PressWithBoxesNoLongerATimeIsRefusedWithoutWriting) {
  for (const char* broken : {"HH", "abc", "", "24"}) {
    frmSetNewReminder* w = OpenNew();
    Fill(w, "x", "10", "0", "0");
    ASSERT_TRUE(Enabled(w, "cmdSetReminder"));
    TypeOver(Control<QComboBox>(w, "cboHH"), broken);
    Click(w, "cmdSetReminder");
    ASSERT_EQ(messages.shown.size(), 1u) << broken;
    EXPECT_EQ(messages.shown[0].title, "Date/time is older than now");
    EXPECT_FALSE(Enabled(w, "cmdSetReminder"));
    EXPECT_FALSE(std::filesystem::exists(home.store())) << broken;
    messages.shown.clear();
    w->Unload();
    Settle();
  }
}

TEST_F(NewReminderTest, SavedRecordHoldsExactlyTheTextsOfTheChosenMoment) {
  home.WriteStore("");
  frmMain* main = LoadMain();
  EXPECT_EQ(main->findChild<QLabel*>("lblNoOfReminders")->text(), "[0]");
  frmSetNewReminder* w = OpenNew(main);
  PickDate(w, today);
  Fill(w, "Call the garage", "21", "5", "0");
  chooser.answer = "/usr/local/bin/garage-call";
  QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);
  Click(w, "cmdBrowse");
  Click(w, "cmdSetReminder");

  const std::string bytes = home.StoreBytes();
  ASSERT_EQ(bytes.size(), 356u);
  EXPECT_EQ(bytes, Saved(u"Call the garage", t0 - 18h - 5min + 21h + 5min, u"/usr/local/bin/garage-call"));
  EXPECT_EQ(bytes.substr(0, 80), "Call the garage" + std::string(65, ' '));
  EXPECT_EQ(bytes.substr(80, 10), "12/06/2026");
  EXPECT_EQ(bytes.substr(90, 11), "21:05:00   ");
  EXPECT_EQ(bytes.substr(101), "/usr/local/bin/garage-call" + std::string(255 - 26, ' '));

  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Reminder is set");
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Information);
  Settle();
  EXPECT_FALSE(app.setNew);
  EXPECT_EQ(main->findChild<QLabel*>("lblNoOfReminders")->text(), "[1]");
}

TEST_F(NewReminderTest, NineFiveZeroStoresTheTimeTextOfNineOhFive) {
  frmSetNewReminder* w = OpenNew();
  PickDate(w, year{2026} / 12 / 7);
  Fill(w, "x", "9", "5", "0");
  Click(w, "cmdSetReminder");
  EXPECT_EQ(home.StoreBytes().substr(90, 11), "09:05:00   ");
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"x", forms->DateText(year{2026} / 12 / 7), forms->TimeText(9h + 5min)));
}

TEST_F(NewReminderTest, TaskIsStoredOnlyWhenTickedWithAChosenProgram) {
  struct Case {
    bool tick;
    std::optional<QString> choose;
    bool untickAfter;
    std::u16string stored;
  };
  const Case cases[] = {{true, std::nullopt, false, u""},           // ticked, never browsed
                        {true, "/opt/tool/run", true, u""},         // chosen, then unticked
                        {true, "/opt/tool/run", false, u"/opt/tool/run"},
                        {false, std::nullopt, false, u""}};
  for (const Case& c : cases) {
    std::filesystem::remove(home.store());
    frmSetNewReminder* w = OpenNew();
    PickDate(w, year{2026} / 12 / 7);
    Fill(w, "task", "8", "0", "0");
    auto* tick = Control<QCheckBox>(w, "chkTask");
    if (c.tick) {
      QTest::mouseClick(tick, Qt::LeftButton);
      EXPECT_TRUE(Enabled(w, "cmdBrowse"));
      EXPECT_TRUE(Enabled(w, "lblPath"));
    }
    if (c.choose) {
      chooser.answer = c.choose;
      Click(w, "cmdBrowse");
      EXPECT_EQ(Control<QLabel>(w, "lblPath")->text(), *c.choose);
    }
    if (c.untickAfter) {
      QTest::mouseClick(tick, Qt::LeftButton);
      EXPECT_FALSE(Enabled(w, "cmdBrowse"));
      EXPECT_FALSE(Enabled(w, "lblPath"));
    }
    Click(w, "cmdSetReminder");
    EXPECT_EQ(home.StoreBytes(), RecordOf(u"task", u"12/07/2026", u"08:00:00", c.stored));
    Settle();
  }
  ASSERT_EQ(chooser.requests.size(), 2u);
  EXPECT_EQ(chooser.requests[0].title, "Select program to launch");
  EXPECT_EQ(chooser.requests[0].filter, "Program files|*.exe|Batch Files|*.bat|All Files|*.*");
  EXPECT_EQ(chooser.requests[0].filterIndex, 1);
}

TEST_F(NewReminderTest, CancelledChooserUnticksTheBoxAndKeepsThePath) {
  frmSetNewReminder* w = OpenNew();
  QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), "x");
  QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);
  chooser.answer = "/opt/first/choice";
  Click(w, "cmdBrowse");
  chooser.answer.reset();
  Click(w, "cmdBrowse");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "You have chosen not to set any task");
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Exclamation);
  EXPECT_FALSE(Control<QCheckBox>(w, "chkTask")->isChecked());
  EXPECT_FALSE(Enabled(w, "cmdBrowse"));
  EXPECT_FALSE(Enabled(w, "lblPath"));
  EXPECT_EQ(Control<QLabel>(w, "lblPath")->text(), "/opt/first/choice");
}

TEST_F(NewReminderTest, TaskPathTheStoreCannotHoldIsRefusedBeforeWriting) {
  for (const QString& path : {QString::fromUtf16(u"/opt/\u65e5\u672c/run"), "/" + QString(300, 'p')}) {
    messages.shown.clear();
    std::filesystem::remove(home.store());
    frmSetNewReminder* w = OpenNew();
    PickDate(w, year{2026} / 12 / 7);
    Fill(w, "x", "8", "0", "0");
    QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);
    chooser.answer = path;
    Click(w, "cmdBrowse");
    Click(w, "cmdSetReminder");
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.contains(path));
    EXPECT_TRUE(messages.shown[0].text.contains("Nothing has been saved"));
    EXPECT_FALSE(std::filesystem::exists(home.store()));
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
    // Unticking the box lets the reminder be saved without its task.
    QTest::mouseClick(Control(w, "chkTask"), Qt::LeftButton);
    Click(w, "cmdSetReminder");
    EXPECT_EQ(home.StoreBytes(), RecordOf(u"x", u"12/07/2026", u"08:00:00"));
    Settle();
  }
}

TEST_F(NewReminderTest, AboutOfBlanksCountsAsTextAndIsStored) {
  frmSetNewReminder* w = OpenNew();
  PickDate(w, year{2026} / 12 / 7);
  QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), "   ");
  EXPECT_TRUE(Enabled(w, "cboHH"));
  Fill(w, "", "8", "0", "0");
  Click(w, "cmdSetReminder");
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"", u"12/07/2026", u"08:00:00"));
  EXPECT_EQ(Titles(), std::vector<QString>{"Reminder"});
}

TEST_F(NewReminderTest, AboutCharactersOutsideTheCodePageAreStoredAsQuestionMarks) {
  frmSetNewReminder* w = OpenNew();
  PickDate(w, year{2026} / 12 / 7);
  Fill(w, "x", "8", "0", "0");
  w->SetAboutText(QString::fromUtf16(u"Caf\u00e9 \u2615"));
  Click(w, "cmdSetReminder");
  EXPECT_EQ(home.StoreBytes().substr(0, 7), "Caf\xe9 ? ");
}

TEST_F(NewReminderTest, AppendGoesAfterTheLastRecord) {
  struct Case {
    const char* name;
    std::optional<std::string> before;
  };
  const std::string three = RecordOf(u"one") + RecordOf(u"two") + RecordOf(u"three");
  const Case cases[] = {{"missing store", std::nullopt}, {"empty store", ""}, {"three records", three}};
  for (const Case& c : cases) {
    std::filesystem::remove(home.store());
    if (c.before) home.WriteStore(*c.before);
    frmSetNewReminder* w = OpenNew();
    PickDate(w, year{2026} / 12 / 7);
    Fill(w, "new", "8", "0", "0");
    Click(w, "cmdSetReminder");
    const std::string expected = c.before.value_or("") + RecordOf(u"new", u"12/07/2026", u"08:00:00");
    EXPECT_EQ(home.StoreBytes(), expected) << c.name;
    Settle();
  }
}

TEST_F(NewReminderTest, MissingHomeFolderShowsFileErrorAndKeepsTheDialog) {
  frmSetNewReminder* w = OpenNew();
  PickDate(w, year{2026} / 12 / 7);
  Fill(w, "kept", "8", "0", "0");
  std::filesystem::remove_all(home.root());
  Click(w, "cmdSetReminder");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "File error!");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_EQ(messages.shown[0].text.toStdString(), "No such file or directory: " + home.store().native());
  Settle();
  ASSERT_TRUE(app.setNew);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(Enabled(w, "cmdSetReminder"));
  EXPECT_EQ(Control<QLineEdit>(w, "txtAbout")->text(), "kept");
  EXPECT_FALSE(std::filesystem::exists(home.root()));
}

TEST_F(NewReminderTest, ShowingAgainBringsTheSameDialogForwardUntilItCloses) {
  frmSetNewReminder* w = OpenNew();
  QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), "typed");
  EXPECT_EQ(OpenNew(), w);
  EXPECT_EQ(Control<QLineEdit>(w, "txtAbout")->text(), "typed");
  Click(w, "cmdCancel");
  EXPECT_FALSE(app.setNew);
  Settle();
  frmSetNewReminder* again = OpenNew();
  EXPECT_NE(again, nullptr);
  EXPECT_EQ(Control<QLineEdit>(again, "txtAbout")->text(), "");
  EXPECT_FALSE(std::filesystem::exists(home.store()));
}

TEST_F(NewReminderTest, EnterAndEscapeBothCancel) {
  for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
    QPointer<frmSetNewReminder> w = OpenNew();
    QTest::keyClicks(Control<QLineEdit>(w, "txtAbout"), "x");
    QTest::keyClick(Control(w, "txtAbout"), key);
    Settle();
    EXPECT_TRUE(w.isNull()) << key;
  }
  EXPECT_FALSE(std::filesystem::exists(home.store()));
}

}  // namespace
