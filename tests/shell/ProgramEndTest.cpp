#include "shell/ProgramEnd.h"
#include "shell/WidgetFixture.h"
#include "shell/frmMinimized.h"
#include "shell/frmSplash.h"

using namespace std::chrono_literals;

namespace {

class ProgramEndTest : public WidgetFixture {
 protected:
  // Lets the queued check run, and the closed windows go.
  void Run() {
    QCoreApplication::processEvents();
    Settle();
    QCoreApplication::processEvents();
  }
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

TEST_F(ProgramEndTest, ExitEndsOnceTheTaskWindowCloses) {
  home.WriteStore(Due(u"with its window", t0 + 1s));
  frmMain* main = LoadMain();
  clock.now = t0 + 1s;
  main->timCheckReminders_Timer();
  Click(main, "cmdExit");
  Run();
  EXPECT_EQ(quits, 0);
  ASSERT_TRUE(app.task);
  app.task->close();
  Run();
  EXPECT_EQ(quits, 1);
}

}  // namespace
