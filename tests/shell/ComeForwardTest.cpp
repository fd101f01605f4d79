#include <QPushButton>
#include <QTest>

#include "shell/ComeForward.h"
#include "shell/WidgetFixture.h"
#include "shell/frmMinimized.h"
#include "shell/frmSplash.h"

namespace {

enum class Before { Splash, MainShown, MainMinimized, MainHidden, MainUnloaded };
enum class Front { Splash, Main, Small };

struct Case {
  const char* name;
  Before before;
  Front front;
};

class ComeForwardTest : public WidgetFixture, public ::testing::WithParamInterface<Case> {
 protected:
  static void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

TEST_P(ComeForwardTest, ShowsTheWindowThatStandsForTheProgram) {
  QPointer<frmSplash> splash;
  switch (GetParam().before) {
    case Before::Splash: splash = frmSplash::Start(app, [] { return Status::Ok(); }); break;
    case Before::MainShown: LoadMain(); break;
    case Before::MainMinimized: LoadMain()->setWindowState(Qt::WindowMinimized); break;
    case Before::MainHidden:
      QTest::mouseClick(LoadMain()->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
      break;
    case Before::MainUnloaded:
      LoadMain()->close();
      Flush();
      break;
  }
  ComeForward(app, splash);

  switch (GetParam().front) {
    case Front::Splash:
      EXPECT_TRUE(splash && splash->isVisible());
      EXPECT_FALSE(app.main);  // it follows the splash, once
      break;
    case Front::Main:
      ASSERT_TRUE(app.main);
      EXPECT_TRUE(app.main->isVisible());
      EXPECT_FALSE(app.main->isMinimized());
      EXPECT_FALSE(app.minimized);
      break;
    case Front::Small:
      ASSERT_TRUE(app.minimized);
      EXPECT_TRUE(app.minimized->isVisible());
      ASSERT_TRUE(app.main);
      EXPECT_FALSE(app.main->isVisible());
      EXPECT_FALSE(app.main->isUnloaded());
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(States, ComeForwardTest, ::testing::Values(
    Case{"Splash", Before::Splash, Front::Splash},
    Case{"MainShown", Before::MainShown, Front::Main},
    Case{"MainMinimized", Before::MainMinimized, Front::Main},
    Case{"MainHidden", Before::MainHidden, Front::Small},
    Case{"MainUnloaded", Before::MainUnloaded, Front::Main}),
    [](const ::testing::TestParamInfo<Case>& tested) { return std::string(tested.param.name); });

}  // namespace
