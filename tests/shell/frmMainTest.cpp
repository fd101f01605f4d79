#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "entry/frmSetNewReminder.h"
#include "manager/frmManager.h"
#include "shell/WidgetFixture.h"
#include "shell/frmAbout.h"
#include "shell/frmMinimized.h"

using namespace std::chrono_literals;

namespace {

class MainWindowTest : public WidgetFixture {};

TEST_F(MainWindowTest, DueReminderShowsASystemModalBoxAndTheTaskWindowWhichOutlivesTheMainWindow) {
  home.WriteStore(Due(u"  Call the dentist ", t0 + 1s, u"  /opt/dentist/call  "));
  QPointer<frmMain> main = LoadMain();
  clock.now = t0 + 1s;
  main->timCheckReminders_Timer();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "Call the dentist");
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_TRUE(messages.shown[0].systemModal);
  EXPECT_EQ(launcher.opened, std::vector<QString>{"/opt/dentist/call"});
  for (const char* button : {"cmdAbout", "cmdManage", "cmdSetNew", "cmdClose"}) Click(main, button);
  std::vector<QPointer<QWidget>> others{app.about.data(), app.manager.data(), app.setNew.data(), app.minimized.data()};
  main->close();  // as Exit does
  Settle();
  EXPECT_TRUE(main.isNull());
  for (const QPointer<QWidget>& w : others) EXPECT_FALSE(w && w->isVisible());
  EXPECT_TRUE(app.task && app.task->isVisible());
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
  EXPECT_TRUE(app.task && app.task->isVisible());
}

// The count's failure is shown under the program's title, the check's under its own.
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
  std::filesystem::remove_all(home.root() / "db");
  clock.now = t0 + 6s;
  main->timCheckReminders_Timer();
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_EQ(messages.shown[0].text.toStdString(), "No such file or directory: " + home.store().native());
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[1].text, "due while the box is open");
  EXPECT_EQ(messages.shown[2].title, "Reminder file error");
  EXPECT_EQ(messages.shown[2].icon, MessageIcon::Critical);
}

TEST_F(MainWindowTest, HideKeepsItCheckingBehindTheSmallWindowAtTheBottomRight) {
  home.WriteStore(Due(u"while hidden", t0 + 2s));
  frmMain* main = LoadMain();
  Click(main, "cmdClose");
  ASSERT_TRUE(app.minimized && app.minimized->isVisible());
  EXPECT_FALSE(main->isVisible());
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry(), frame = app.minimized->frameGeometry();
  EXPECT_TRUE(area.contains(frame) && frame.left() > area.center().x() && frame.top() > area.center().y());
  EXPECT_TRUE(Control<QTimer>(main, "timCheckReminders")->isActive());
  clock.now = t0 + 2s;
  main->timCheckReminders_Timer();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "while hidden");
}

TEST_F(MainWindowTest, ShowReminderLoadsItAfreshRecountedAndAnnouncingNothingTwice) {
  home.WriteStore(Due(u"once", t0 + 1s));
  QPointer<frmMain> old = LoadMain();
  clock.now = t0 + 1s;
  old->timCheckReminders_Timer();
  home.WriteStore(Due(u"once", t0 + 1s) + Due(u"later", t0 + 1h));
  Click(old, "cmdClose");
  Click(app.minimized, "Command1");
  Settle();
  EXPECT_TRUE(old.isNull());
  EXPECT_FALSE(app.minimized);
  ASSERT_TRUE(app.main && app.main->isVisible());
  EXPECT_EQ(Control<QLabel>(app.main, "lblNoOfReminders")->text(), "[2]");
  EXPECT_TRUE(Control<QTimer>(app.main, "timCheckReminders")->isActive());
  app.main->timCheckReminders_Timer();  // the same second again
  clock.now = t0 + 2s;
  app.main->timCheckReminders_Timer();
  EXPECT_EQ(messages.shown.size(), 1u);
}

}  // namespace
