#include <QFrame>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "shell/ProgramArt.h"
#include "shell/VersionInfo.h"
#include "shell/WidgetFixture.h"
#include "shell/frmSplash.h"

namespace {

class SplashTest : public WidgetFixture {
 protected:
  frmSplash* Start() {
    QPointer<frmSplash> s = frmSplash::Start(app, [this] {
      ++reads;
      mainLoadedAtRead = !app.main.isNull();
      return readResult;
    });
    splash = s;
    return s;
  }
  QString Text(const char* label) { return splash->findChild<QLabel*>(label)->text(); }
  QTimer* Timer() { return splash->findChild<QTimer*>("Timer1"); }
  int MainWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<frmMain*>(w) && w->isVisible()) ++n;
    return n;
  }
  // The main window is shown once and the home directory read once, before it loaded.
  void ExpectClosedOnce() {
    EXPECT_FALSE(splash && splash->isVisible());
    EXPECT_EQ(reads, 1);
    EXPECT_FALSE(mainLoadedAtRead);
    EXPECT_EQ(MainWindows(), 1);
    ASSERT_TRUE(app.main);
    EXPECT_TRUE(app.main->isVisible());
  }

  QPointer<frmSplash> splash;
  int reads = 0;
  bool mainLoadedAtRead = false;
  Status readResult = Status::Ok();
};

TEST_F(SplashTest, ShowsTitleProductAndVersion) {
  Start();
  EXPECT_EQ(Text("lblVersion"), "Version 1.0.2");
  EXPECT_EQ(Text("lblProductName"), "Reminder");
  EXPECT_EQ(Text("lblCompanyProduct"), kProductName);
  EXPECT_FALSE(kProductName.isEmpty());
  EXPECT_EQ(Text("lblPlatform"), "");   // no trademarks
  EXPECT_EQ(Text("lblCopyright"), "");  // no copyright line
  EXPECT_EQ(splash->size(), QSize(443, 176));
  EXPECT_TRUE(splash->windowTitle().isEmpty());
  EXPECT_EQ(splash->findChild<QFrame*>("Frame1")->geometry(), QRect(0, 0, 440, 173));
  EXPECT_FALSE(app.main);
  EXPECT_EQ(reads, 0);
}

TEST_F(SplashTest, ARightAlignedLabelKeepsItsRightEdge) {
  Start();
  const QLabel* version = splash->findChild<QLabel*>("lblVersion");
  EXPECT_EQ(version->geometry().right() + 1, 368 + 59);  // 5520 + 885 twips
  EXPECT_GT(version->width(), 59);                       // grown to its text, to the left
}

TEST_F(SplashTest, ClosesOnTheSecondTick) {
  Start();
  QTimer* timer = Timer();
  EXPECT_EQ(timer->interval(), 1000);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->property("Tag").toString(), "1");
  splash->Timer1_Timer();
  EXPECT_EQ(timer->property("Tag").toString(), "2");
  EXPECT_TRUE(splash->isVisible());
  EXPECT_FALSE(app.main);
  splash->Timer1_Timer();
  EXPECT_EQ(timer->property("Tag").toString(), "3");
  EXPECT_FALSE(timer->isActive());
  ExpectClosedOnce();
}

TEST_F(SplashTest, AnyKeyClosesAtOnce) {
  for (Qt::Key key : {Qt::Key_A, Qt::Key_Escape, Qt::Key_F5, Qt::Key_Shift}) {
    for (QWidget* w : QApplication::topLevelWidgets()) delete w;
    reads = 0;
    Start();
    QTimer* timer = Timer();
    QTest::keyClick(splash, key);
    EXPECT_FALSE(timer->isActive()) << key;
    ExpectClosedOnce();
  }
}

TEST_F(SplashTest, AClickOnTheFrameClosesAtOnce) {
  Start();
  QTest::mouseClick(splash->findChild<QFrame*>("Frame1"), Qt::LeftButton, {}, QPoint(400, 160));
  ExpectClosedOnce();
}

TEST_F(SplashTest, AClickOnTheLogoOrALabelDoesNothing) {
  Start();
  for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
    QTest::mouseClick(splash->findChild<QLabel*>(name), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(reads, 0);
}

TEST_F(SplashTest, ALaterTickOrKeyAfterClosingDoesNotOpenTheMainWindowAgain) {
  Start();
  QTest::keyClick(splash, Qt::Key_Space);
  frmMain* first = app.main;
  splash->Timer1_Timer();
  splash->Timer1_Timer();
  QTest::keyClick(splash, Qt::Key_Space);
  EXPECT_EQ(app.main, first);
  ExpectClosedOnce();
}

TEST_F(SplashTest, AMissingPathFileIsReportedOnceAndTheMainWindowStillOpens) {
  readResult = Status::Failure("No such file or directory: /work/path.txt");
  bool mainShownDuringBox = true;
  messages.onShow = [&](const MessageRequest&) { mainShownDuringBox = !app.main.isNull(); };
  Start();
  splash->Timer1_Timer();
  splash->Timer1_Timer();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "No such file or directory: /work/path.txt");
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
  EXPECT_FALSE(mainShownDuringBox);
  ExpectClosedOnce();
}

TEST_F(SplashTest, EveryControlCanBeSpoken) {
  Start();
  for (QWidget* w : splash->findChildren<QWidget*>()) {
    if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_")) {
      EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
  }
}

TEST(ProgramArt, LogoIsAPortraitOf362By450AndTheIconHasItsSizes) {
  const QPixmap logo = ProgramLogo();
  EXPECT_EQ(logo.size(), QSize(362, 450));
  const QIcon icon = ProgramIcon();
  for (int size : {16, 32}) {
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size))) << size;
    EXPECT_EQ(icon.pixmap(size, size).size(), QSize(size, size)) << size;
  }
}

}  // namespace
