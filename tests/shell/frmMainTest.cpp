#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "shell/WidgetFixture.h"

using namespace std::chrono_literals;

namespace {

class MainWindowTest : public WidgetFixture {
 protected:
  QString Count(frmMain* main) { return main->findChild<QLabel*>("lblNoOfReminders")->text(); }
  QPushButton* Button(frmMain* main, const char* name) { return main->findChild<QPushButton*>(name); }
};

TEST_F(MainWindowTest, ShowsTodaysCountInItsCaptionedWindow) {
  home.WriteStore(Due(u"past", t0 - 2h) + Due(u"later", t0 + 1h) + Due(u"evening", t0 + 3h) +
                  Due(u"tomorrow", t0 + 24h));
  frmMain* main = LoadMain();
  EXPECT_EQ(main->windowTitle(), "Welcome! to Reminder");
  EXPECT_EQ(Count(main), "[3]");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MainWindowTest, EmptyStoreCountsZeroAndRecountFollowsTheStore) {
  frmMain* main = LoadMain();
  EXPECT_EQ(Count(main), "[0]");
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"new", forms->DateText(DateOf(t0)), u"23:00:00", u"")).ok());
  main->Form_Load();
  EXPECT_EQ(Count(main), "[1]");
}

TEST_F(MainWindowTest, CountFailureShowsTheTextAndKeepsTheCaption) {
  frmMain* main = LoadMain();
  std::filesystem::remove_all(home.root() / "db");
  main->Form_Load();
  EXPECT_EQ(Count(main), "[0]");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  EXPECT_EQ(messages.shown[0].text.toStdString(), "No such file or directory: " + home.store().native());
}

TEST_F(MainWindowTest, ControlsSitWhereTheirTwipsSay) {
  frmMain* main = LoadMain();
  EXPECT_EQ(main->size(), QSize(301, 159));
  EXPECT_EQ(Button(main, "cmdExit")->geometry(), QRect(224, 128, 73, 25));
  EXPECT_EQ(Button(main, "cmdClose")->text(), "&Hide");
  EXPECT_EQ(Button(main, "cmdClose")->toolTip(), "hides the window but reminders keep running in background");
  EXPECT_EQ(Button(main, "cmdSetNew")->geometry(), QRect(248, 40, 49, 25));
  EXPECT_EQ(main->findChild<QTimer*>("timCheckReminders")->interval(), 1000);
  for (QWidget* w : main->findChildren<QWidget*>()) {
    const QString name = w->objectName();
    if (!name.isEmpty() && !name.startsWith("Line") && !name.startsWith("qt_")) {
      EXPECT_FALSE(w->accessibleName().isEmpty()) << name.toStdString();
    }
  }
}

TEST_F(MainWindowTest, DueReminderShowsASystemModalBoxThenTheTaskWindow) {
  home.WriteStore(Due(u"  Call the dentist ", t0 + 1s, u"  /opt/dentist/call  "));
  frmMain* main = LoadMain();
  clock.now = t0 + 1s;
  main->timCheckReminders_Timer();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Call the dentist");
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  EXPECT_TRUE(messages.shown[0].systemModal);
  EXPECT_EQ(main->target(), "/opt/dentist/call");
  ASSERT_TRUE(app.task);
  EXPECT_TRUE(app.task->isVisible());
  EXPECT_EQ(launcher.opened, std::vector<QString>{"/opt/dentist/call"});
}

// Here the boxes run their own event loops, as real ones do, and the window's own timer
// runs the check.
TEST_F(MainWindowTest, TaskThatFailsToStartDoesNotKeepTheNextReminderOfItsSecondFromStartingItsTask) {
  home.WriteStore(Due(u"first", t0 + 1s, u"/gone") + Due(u"second", t0 + 1s, u"/bin/second"));
  launcher.missing = {"/gone"};
  messages.ownLoop = true;
  LoadMain();
  clock.now = t0 + 1s;
  ASSERT_TRUE(QTest::qWaitFor([&] { return messages.shown.size() == 3; }, 5000));
  EXPECT_EQ(messages.shown[1].text, "No such file or directory: /gone");
  EXPECT_EQ(messages.shown[2].text, "second");
  EXPECT_EQ(launcher.opened, (std::vector<QString>{"/gone", "/bin/second"}));
  ASSERT_TRUE(app.task);
  EXPECT_TRUE(app.task->isVisible());
  EXPECT_EQ(app.task->findChild<QPushButton*>("cmdClose")->text(), "&Close");
}

TEST_F(MainWindowTest, ReminderDueWhileTheCountsFailureBoxIsOpenIsAnnouncedAfterIt) {
  std::filesystem::remove_all(home.root() / "db");
  messages.onShow = [&](const MessageRequest&) {
    messages.onShow = nullptr;
    std::filesystem::create_directories(home.root() / "db");  // the store is back
    home.WriteStore(Due(u"due while the box is open", t0 + 2s));
    clock.now = t0 + 5s;  // the user reads the box for five seconds
  };
  frmMain* main = LoadMain();
  main->timCheckReminders_Timer();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].text, "due while the box is open");
}

TEST_F(MainWindowTest, LastingStoreFailureIsReportedOnceUnderItsTitle) {
  frmMain* main = LoadMain();
  std::filesystem::remove_all(home.root() / "db");
  for (int s = 1; s <= 5; ++s) {
    clock.now = t0 + std::chrono::seconds{s};
    main->timCheckReminders_Timer();
  }
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "Reminder file error");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
}

TEST_F(MainWindowTest, HiddenWindowKeepsChecking) {
  home.WriteStore(Due(u"while hidden", t0 + 2s));
  frmMain* main = LoadMain();
  QTest::mouseClick(Button(main, "cmdClose"), Qt::LeftButton);
  EXPECT_FALSE(main->isVisible());
  EXPECT_TRUE(main->findChild<QTimer*>("timCheckReminders")->isActive());
  clock.now = t0 + 2s;
  main->timCheckReminders_Timer();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "while hidden");
}

TEST_F(MainWindowTest, ExitUnloadsTheWindowButLeavesTheTaskWindowOpen) {
  home.WriteStore(Due(u"no task", t0 + 1s));
  QPointer<frmMain> main = LoadMain();
  clock.now = t0 + 1s;
  main->timCheckReminders_Timer();
  ASSERT_TRUE(app.task);
  QTest::mouseClick(Button(main, "cmdExit"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(main.isNull());
  EXPECT_TRUE(app.task && app.task->isVisible());
}

}  // namespace
