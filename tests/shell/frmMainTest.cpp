#include <gmock/gmock.h>

#include <QLabel>

#include "entry/frmQuickAdd.h"
#include "entry/frmSetNewReminder.h"
#include "manager/frmManager.h"
#include "os/OsError.h"
#include "shell/ProgramEnd.h"
#include "shell/WidgetFixture.h"
#include "shell/frmAbout.h"
#include "shell/frmMinimized.h"
#include "shell/frmSplash.h"

using namespace std::chrono_literals;

namespace {

// The program's end is counted, not carried out.
struct MainWindowTest : WidgetFixture {
  // Lets the queued end check run, and the closed windows go.
  void Run() {
    QCoreApplication::processEvents();
    Settle();
    QCoreApplication::processEvents();
  }
  int quits = 0;
  ProgramEnd end{app, [this] { ++quits; }};
};

TEST_F(MainWindowTest, ReminderDueWhileTheCountsFailureBoxIsOpenIsAnnouncedAfterIt) {
  const auto breakStore = [&] {  // a db that is no folder
    std::filesystem::remove_all(home.root() / "db");
    TempHome::WriteBytes(home.root() / "db", "");
  };
  breakStore();
  messages.onShow = [&](const MessageRequest&) {
    messages.onShow = nullptr;
    std::filesystem::remove(home.root() / "db");
    std::filesystem::create_directories(home.root() / "db");  // the store is back
    home.WriteStore(Due(u"due while the box is open", t0 + 2s));
    clock.now = t0 + 5s;  // the user reads the box for five seconds
  };
  LoadMain();
  app.alarm.Tick();
  breakStore();
  clock.now = t0 + 6s;
  app.alarm.Tick();
  ASSERT_EQ(messages.shown.size(), 3u);  // the count's failure, the reminder, the check's failure
  EXPECT_THAT(messages.shown[0].text.toStdString(), ::testing::EndsWith(": " + PathText(home.store())));
  EXPECT_EQ(messages.shown[1].text, "due while the box is open");
}

// Hidden behind the small window it goes on checking; loaded afresh within a second the
// hidden one covered, it announces nothing twice. The program ends only once the main
// window is unloaded and no window is left: not while the splash gives way to it, nor
// while it is hidden or loaded afresh.
TEST_F(MainWindowTest, HiddenItKeepsCheckingAndShowReminderLoadsItAfreshRecounted) {
  home.WriteStore(Due(u"while hidden", t0 + 1s));
  frmSplash* splash = frmSplash::Start(app, [] { return Status::Ok(); });
  splash->Timer1_Timer();
  splash->Timer1_Timer();
  QPointer<frmMain> old = app.main;
  old->hide();
  Run();
  EXPECT_EQ(quits, 0);
  Click(old, "cmdClose");
  ASSERT_TRUE(app.minimized && app.minimized->isVisible() && !old->isVisible());
  EXPECT_TRUE(app.alarm.isRunning());
  clock.now = t0 + 1s;
  app.alarm.Tick();
  home.WriteStore(Due(u"while hidden", t0 + 1s) + Due(u"later", t0 + 1h));
  Click(app.minimized, "Command1");
  Run();
  ASSERT_TRUE(old.isNull() && !app.minimized && app.main && app.main->isVisible());
  EXPECT_EQ(Control<QLabel>(app.main, "lblNoOfReminders")->text(), "[2]");
  app.alarm.Tick();  // the same second again
  clock.now = t0 + 2s;
  app.alarm.Tick();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "while hidden");
  EXPECT_TRUE(messages.shown[0].systemModal);
  app.alarm.task()->close();  // the reminder's, with no program to start
  Click(app.main, "cmdClose");
  app.minimized->close();
  Run();
  EXPECT_EQ(quits, 1);
}

// Exit closes the windows the main window opened but the quick reminder dialog and a
// task's window; the program ends once they are closed too.
TEST_F(MainWindowTest, ExitLeavesTheQuickReminderAndTaskWindowsAndTheProgramEndsOnceTheyClose) {
  home.WriteStore("");
  frmMain* main = LoadMain();
  app.alarm.ShowTask("/bin/task");
  QTest::mouseClick(Control(main, "Label4"), Qt::LeftButton);
  for (const char* button : {"cmdAbout", "cmdManage", "cmdSetNew", "cmdClose"}) Click(main, button);
  const std::vector<QPointer<QWidget>> closed{app.about.data(), app.manager.data(), app.setNew.data(),
                                              app.minimized.data()};
  Click(main, "cmdExit");
  Run();
  for (const QPointer<QWidget>& w : closed) EXPECT_FALSE(w && w->isVisible());
  ASSERT_TRUE(app.alarm.task() && app.alarm.task()->isVisible() && app.quickAdd && app.quickAdd->isVisible());
  app.alarm.task()->close();
  Run();
  EXPECT_EQ(quits, 0);
  app.quickAdd->close();
  Run();
  EXPECT_EQ(quits, 1);
}

}  // namespace
