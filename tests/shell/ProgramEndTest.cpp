#include "shell/ProgramEnd.h"

#include "entry/frmSetNewReminder.h"
#include "manager/frmManager.h"
#include "shell/WidgetFixture.h"
#include "shell/frmAbout.h"
#include "shell/frmMinimized.h"
#include "shell/frmSplash.h"

using namespace std::chrono_literals;

namespace {

struct ProgramEndTest : WidgetFixture {
  // Lets the queued check run, and the closed windows go.
  void Run() { QCoreApplication::processEvents(), Settle(), QCoreApplication::processEvents(); }
  int quits = 0;
  ProgramEnd end{app, [this] { ++quits; }};
};

TEST_F(ProgramEndTest, EndsOnceTheMainWindowIsUnloadedAndNoWindowIsLeft) {
  frmSplash* splash = frmSplash::Start(app, [] { return Status::Ok(); });
  Run();
  splash->Timer1_Timer();
  splash->Timer1_Timer();
  Run();
  EXPECT_EQ(quits, 0);  // the splash gave way to the main window
  app.main->hide();
  Run();
  EXPECT_EQ(quits, 0);  // loaded, though nothing is on screen
  app.main->show();
  Click(app.main, "cmdClose");
  Click(app.minimized, "Command1");
  Run();
  EXPECT_EQ(quits, 0);  // loaded afresh
  Click(app.main, "cmdClose");
  app.minimized->close();
  Run();
  EXPECT_EQ(quits, 1);
}

// A due reminder shows a system-modal box and its task's window, which outlives the
// main window and its other windows.
TEST_F(ProgramEndTest, ExitClosesEveryWindowButTheTaskWindowAndEndsOnceItCloses) {
  home.WriteStore(Due(u"  Call the dentist ", t0 + 1s, u"  /opt/dentist/call  "));
  frmMain* main = LoadMain();
  clock.now = t0 + 1s;
  main->timCheckReminders_Timer();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text == "Call the dentist" && messages.shown[0].systemModal);
  EXPECT_EQ(launcher.opened, std::vector<QString>{"/opt/dentist/call"});
  for (const char* button : {"cmdAbout", "cmdManage", "cmdSetNew", "cmdClose"}) Click(main, button);
  std::vector<QPointer<QWidget>> others{app.about.data(), app.manager.data(), app.setNew.data(), app.minimized.data()};
  Click(main, "cmdExit");
  Run();
  EXPECT_EQ(quits, 0);
  for (const QPointer<QWidget>& w : others) EXPECT_FALSE(w && w->isVisible());
  ASSERT_TRUE(app.task && app.task->isVisible());
  app.task->close();
  Run();
  EXPECT_EQ(quits, 1);
}

}  // namespace
