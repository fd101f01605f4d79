#include <QTest>
#include <QTimer>

#include "shell/WidgetFixture.h"
#include "shell/frmSplash.h"

namespace {

struct Closing {
  const char* name;
  void (*close)(frmSplash&);
};

class SplashTest : public WidgetFixture, public ::testing::WithParamInterface<Closing> {};

// Whichever way it closes, the home directory is read once, before the main window
// loads, and a failure to read it is shown before the main window opens, which it does
// once.
TEST_P(SplashTest, ClosesOnceOnTheSecondTickAnyKeyOrAClickOnTheFrame) {
  int reads = 0;
  bool mainLoadedAtRead = false, mainShownDuringBox = true;
  messages.onShow = [&](const MessageRequest&) { mainShownDuringBox = !app.main.isNull(); };
  QPointer<frmSplash> splash = frmSplash::Start(app, [&] {
    ++reads;
    mainLoadedAtRead = !app.main.isNull();
    return Status::Failure("No such file or directory: /work/path.txt");
  });
  EXPECT_TRUE(Control<QTimer>(splash, "Timer1")->isActive());
  splash->Timer1_Timer();
  for (const char* name : {"imgLogo", "lblProductName", "lblVersion"})
    QTest::mouseClick(Control(splash, name), Qt::LeftButton, {}, QPoint(2, 2));
  EXPECT_TRUE(splash->isVisible());
  EXPECT_EQ(reads, 0);

  GetParam().close(*splash);
  frmMain* first = app.main;
  splash->Timer1_Timer();
  QTest::keyClick(splash, Qt::Key_Space);
  EXPECT_EQ(app.main, first);
  EXPECT_FALSE(splash->isVisible());
  EXPECT_EQ(reads, 1);
  EXPECT_FALSE(mainLoadedAtRead);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "No such file or directory: /work/path.txt");
  EXPECT_FALSE(mainShownDuringBox);
  int mains = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) mains += qobject_cast<frmMain*>(w) && w->isVisible();
  EXPECT_EQ(mains, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, SplashTest,
    ::testing::Values(Closing{"SecondTick", [](frmSplash& s) { s.Timer1_Timer(); }},
                      Closing{"AnyKey", [](frmSplash& s) { QTest::keyClick(&s, Qt::Key_Shift); }},
                      Closing{"FrameClick",
                              [](frmSplash& s) {
                                QTest::mouseClick(s.findChild<QWidget*>("Frame1"), Qt::LeftButton, {}, QPoint(400, 160));
                              }}),
    [](const auto& c) { return std::string(c.param.name); });

}  // namespace
