#include <QTest>
#include <QTimer>

#include "shell/WidgetFixture.h"
#include "shell/frmSplash.h"

namespace {

using Closing = std::pair<const char*, void (*)(frmSplash&)>;

class SplashTest : public WidgetFixture, public ::testing::WithParamInterface<Closing> {};

// Whichever way it closes, the home directory is read once, before the main window
// loads, and a failure to read it is shown before the main window opens, which it does
// once. Clicks elsewhere than on the frame leave it open.
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
  EXPECT_TRUE(splash->isVisible() && mainLoadedAtRead.empty());
  GetParam().second(*splash);
  splash->Timer1_Timer();
  QTest::keyClick(splash, Qt::Key_Space);
  EXPECT_FALSE(splash->isVisible());
  EXPECT_EQ(mainLoadedAtRead, std::vector<bool>{false});
  EXPECT_EQ(mainShownDuringBox, std::vector<bool>{false});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "No such file or directory: /work/path.txt");
  int mains = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) mains += qobject_cast<frmMain*>(w) && w->isVisible();
  EXPECT_EQ(mains, 1);
}

INSTANTIATE_TEST_SUITE_P(Ways, SplashTest,
                         ::testing::Values(Closing{"SecondTick", [](frmSplash& s) { s.Timer1_Timer(); }},
                                           Closing{"AnyKey", [](frmSplash& s) { QTest::keyClick(&s, Qt::Key_Shift); }},
                                           Closing{"FrameClick",
                                                   [](frmSplash& s) {
                                                     QTest::mouseClick(s.findChild<QWidget*>("Frame1"), Qt::LeftButton,
                                                                       {}, QPoint(400, 160));
                                                   }}),
                         [](const auto& c) { return std::string(c.param.first); });

}  // namespace
