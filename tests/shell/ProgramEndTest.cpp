#include <QPushButton>
#include <QTest>

#include "shell/ProgramEnd.h"
#include "shell/WidgetFixture.h"
#include "shell/frmMinimized.h"
#include "shell/frmSplash.h"

using namespace std::chrono_literals;

namespace {

class ProgramEndTest : public WidgetFixture {
 protected:
  QPushButton* Button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }
  // Lets the queued check run, and the closed windows go.
  static void Settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
  int quits = 0;
  ProgramEnd end{app, [this] { ++quits; }};
};

TEST_F(ProgramEndTest, TheSplashGivesWayToTheMainWindowWithoutEnding) {
  frmSplash* splash = frmSplash::Start(app, [] { return Status::Ok(); });
  Settle();
  splash->Timer1_Timer();
  splash->Timer1_Timer();
  Settle();
  EXPECT_EQ(quits, 0);
  ASSERT_TRUE(app.main);
}

TEST_F(ProgramEndTest, HidingTheMainWindowDoesNotEnd) {
  frmMain* main = LoadMain();
  main->hide();  // even with no other window on screen
  Settle();
  EXPECT_EQ(quits, 0);
}

TEST_F(ProgramEndTest, ShowReminderReloadsWithoutEnding) {
  frmMain* main = LoadMain();
  QTest::mouseClick(Button(main, "cmdClose"), Qt::LeftButton);
  QTest::mouseClick(Button(app.minimized, "Command1"), Qt::LeftButton);
  Settle();
  EXPECT_EQ(quits, 0);
  ASSERT_TRUE(app.main);
  EXPECT_TRUE(app.main->isVisible());
}

TEST_F(ProgramEndTest, ClosingTheSmallWindowOtherwiseEnds) {
  frmMain* main = LoadMain();
  QTest::mouseClick(Button(main, "cmdClose"), Qt::LeftButton);
  app.minimized->close();
  Settle();
  EXPECT_EQ(quits, 1);
}

TEST_F(ProgramEndTest, ExitEnds) {
  QTest::mouseClick(Button(LoadMain(), "cmdExit"), Qt::LeftButton);
  Settle();
  EXPECT_EQ(quits, 1);
}

TEST_F(ProgramEndTest, AnOpenTaskWindowKeepsTheProgramUntilItCloses) {
  home.WriteStore(Due(u"with its window", t0 + 1s));
  frmMain* main = LoadMain();
  clock.now = t0 + 1s;
  main->timCheckReminders_Timer();
  ASSERT_TRUE(app.task);
  QTest::mouseClick(Button(main, "cmdExit"), Qt::LeftButton);
  Settle();
  EXPECT_EQ(quits, 0);
  app.task->close();
  Settle();
  EXPECT_EQ(quits, 1);
}

}  // namespace
