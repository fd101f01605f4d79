#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "shell/WidgetFixture.h"
#include "manager/frmManager.h"
#include "shell/frmAbout.h"
#include "shell/frmMinimized.h"

using namespace std::chrono_literals;

namespace {

class MinimizedTest : public WidgetFixture {
 protected:
  QPushButton* Button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }
  QString Count(frmMain* main) { return main->findChild<QLabel*>("lblNoOfReminders")->text(); }
  frmMinimized* Hide(frmMain* main) {
    QTest::mouseClick(Button(main, "cmdClose"), Qt::LeftButton);
    return app.minimized;
  }
  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_F(MinimizedTest, HideShowsTheSmallWindowInsteadOfTheMainWindow) {
  frmMain* main = LoadMain();
  frmMinimized* small = Hide(main);
  ASSERT_TRUE(small);
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(main->isUnloaded());
  EXPECT_TRUE(small->isVisible());
  EXPECT_TRUE(small->windowTitle().isEmpty());
  EXPECT_EQ(small->size(), QSize(99, 27));
  EXPECT_EQ(Button(small, "Command1")->text(), "Show Reminder");
  EXPECT_EQ(Button(small, "Command1")->geometry(), QRect(0, 0, 97, 25));
  EXPECT_EQ(small->windowHandle()->transientParent(), nullptr);  // no owner
}

TEST_F(MinimizedTest, SitsAt9550By9800TwipsOrAsNearAsTheScreenAllows) {
  frmMinimized* small = Hide(LoadMain());
  const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect frame = small->frameGeometry();
  EXPECT_TRUE(area.contains(frame)) << frame.y() << " " << area.bottom();
  EXPECT_EQ(frame.x(), std::min(637, area.right() + 1 - frame.width()));
  EXPECT_EQ(frame.y(), std::min(653, area.bottom() + 1 - frame.height()));
}

TEST_F(MinimizedTest, RemindersKeepFiringWhileHidden) {
  home.WriteStore(Due(u"while hidden", t0 + 2s));
  frmMain* main = LoadMain();
  Hide(main);
  EXPECT_TRUE(main->findChild<QTimer*>("timCheckReminders")->isActive());
  clock.now = t0 + 2s;
  main->timCheckReminders_Timer();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "while hidden");
}

TEST_F(MinimizedTest, ShowReminderReloadsARecountedMainWindow) {
  home.WriteStore(Due(u"today", t0 + 1h));
  QPointer<frmMain> old = LoadMain();
  EXPECT_EQ(Count(old), "[1]");
  QPointer<frmMinimized> small = Hide(old);
  home.WriteStore(Due(u"today", t0 + 1h) + Due(u"also today", t0 + 2h));

  QTest::mouseClick(Button(small, "Command1"), Qt::LeftButton);
  EXPECT_TRUE(old->isUnloaded());
  EXPECT_FALSE(old->findChild<QTimer*>("timCheckReminders")->isActive());
  Flush();
  EXPECT_TRUE(old.isNull());
  EXPECT_TRUE(small.isNull());
  ASSERT_TRUE(app.main);
  EXPECT_TRUE(app.main->isVisible());
  EXPECT_FALSE(app.main->isUnloaded());
  EXPECT_EQ(Count(app.main), "[2]");
  EXPECT_TRUE(app.main->findChild<QTimer*>("timCheckReminders")->isActive());
  EXPECT_TRUE(app.main->target().isEmpty());
  EXPECT_FALSE(app.minimized);
}

TEST_F(MinimizedTest, TheReloadClosesTheWindowsTheMainWindowUnloads) {
  frmMain* main = LoadMain();
  QTest::mouseClick(Button(main, "cmdAbout"), Qt::LeftButton);
  QPointer<frmAbout> about = app.about;
  ASSERT_TRUE(about && about->isVisible());
  QTest::mouseClick(Button(Hide(main), "Command1"), Qt::LeftButton);
  EXPECT_FALSE(about && about->isVisible());
  Flush();
  EXPECT_TRUE(about.isNull());
  ASSERT_TRUE(app.main);
  EXPECT_TRUE(app.main->isVisible());
}

TEST_F(MinimizedTest, TheReloadClosesTheManagerToo) {
  frmMain* main = LoadMain();
  QTest::mouseClick(Button(main, "cmdManage"), Qt::LeftButton);
  QPointer<frmManager> manager = app.manager;
  ASSERT_TRUE(manager && manager->isVisible());
  QTest::mouseClick(Button(Hide(main), "Command1"), Qt::LeftButton);
  Flush();
  EXPECT_TRUE(manager.isNull());
}

TEST_F(MinimizedTest, AReloadInTheSameSecondAnnouncesNothingTwice) {
  home.WriteStore(Due(u"once", t0 + 1s));
  frmMain* main = LoadMain();
  clock.now = t0 + 1s;
  main->timCheckReminders_Timer();
  QTest::mouseClick(Button(Hide(main), "Command1"), Qt::LeftButton);
  Flush();
  ASSERT_TRUE(app.main);
  app.main->timCheckReminders_Timer();
  clock.now = t0 + 2s;
  app.main->timCheckReminders_Timer();
  int announced = 0;
  for (const MessageRequest& m : messages.shown) announced += m.text == "once";
  EXPECT_EQ(announced, 1);
}

TEST_F(MinimizedTest, ClosingItOtherwiseUnloadsTheMainWindowAndTheAlertsStop) {
  home.WriteStore(Due(u"never seen", t0 + 2s));
  QPointer<frmMain> main = LoadMain();
  QPointer<frmMinimized> small = Hide(main);
  small->close();
  EXPECT_TRUE(main->isUnloaded());
  EXPECT_FALSE(main->isVisible());
  EXPECT_FALSE(main->findChild<QTimer*>("timCheckReminders")->isActive());
  Flush();
  EXPECT_TRUE(main.isNull());
  EXPECT_TRUE(small.isNull());
  EXPECT_FALSE(app.main);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(MinimizedTest, ExitingTheMainWindowClosesTheSmallWindow) {
  frmMain* main = LoadMain();
  QPointer<frmMinimized> small = Hide(main);
  main->close();  // as the program's end would
  EXPECT_FALSE(small && small->isVisible());
}

}  // namespace
