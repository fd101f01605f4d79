#include <QTimer>

#include "shell/WidgetFixture.h"
#include "shell/frmSplash.h"

namespace {

void SecondTick(frmSplash& splash) { splash.Timer1_Timer(); }
void AnyKey(frmSplash& splash) { QTest::keyClick(&splash, Qt::Key_Shift); }
void FrameClick(frmSplash& splash) {
  QTest::mouseClick(splash.findChild<QWidget*>("Frame1"), Qt::LeftButton, {}, QPoint(400, 160));
}

class SplashTest : public WidgetFixture, public ::testing::WithParamInterface<void (*)(frmSplash&)> {};

// Whichever way it closes, the home directory is read once, before the main window
// loads, and a failure to read it is shown before the main window opens. Clicks
// elsewhere than on the frame leave it open.
TEST_P(SplashTest, ClosesOnceOnTheSecondTickAnyKeyOrAClickOnTheFrame) {
  std::vector<bool> mainLoadedAtRead, mainShownDuringBox;
  messages.onShow = [&](const MessageRequest&) { mainShownDuringBox.push_back(!app.main.isNull()); };
  QPointer<frmSplash> splash = frmSplash::Start(app, [&] {
    mainLoadedAtRead.push_back(!app.main.isNull());
    return Status::Failure("No such file or directory: /work/path.txt");
  });
  EXPECT_TRUE(Control<QTimer>(splash, "Timer1")->isActive());
  splash->Timer1_Timer();
  for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
    QTest::mouseClick(Control(splash, name), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(splash->isVisible());
  GetParam()(*splash);
  splash->Timer1_Timer();
  QTest::keyClick(splash, Qt::Key_Space);
  EXPECT_FALSE(splash->isVisible());
  EXPECT_EQ(mainLoadedAtRead, std::vector<bool>{false});
  EXPECT_EQ(mainShownDuringBox, std::vector<bool>{false});
  EXPECT_EQ(messages.shown.at(0).text, "No such file or directory: /work/path.txt");
  EXPECT_TRUE(app.main && app.main->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Ways, SplashTest, ::testing::Values(&SecondTick, &AnyKey, &FrameClick));

}  // namespace
