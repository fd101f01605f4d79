#include <QWindow>

#include "entry/frmEdit.h"
#include "entry/frmQuickAdd.h"
#include "entry/frmSetNewReminder.h"
#include "manager/FlexGrid.h"
#include "manager/frmManager.h"
#include "shell/ComeForward.h"
#include "shell/WidgetFixture.h"
#include "shell/frmAbout.h"
#include "shell/frmMinimized.h"
#include "shell/frmSplash.h"

using namespace std::chrono_literals;

namespace {

// Enter and Escape both close the window; or it has no cancel button and Escape leaves
// it open; or, in the main window, Escape opens the About box.
enum class Keys { Close, NoCancel, EscapeIsAbout };

struct WindowContractTest;
// Its name, the program's way to it (again and again), whether the main window owns it, its keys.
using Contract = std::tuple<const char*, QWidget* (*)(WindowContractTest&), bool, Keys>;

struct WindowContractTest : WidgetFixture, ::testing::WithParamInterface<Contract> {
  using WidgetFixture::app;
  void SetUp() override {
    home.WriteStore(Due(u"to edit", t0 + 1h));
    LoadMain();
  }
  // Clicks `control` in the main window; gives the window that click shows.
  template <class T>
  T* FromMain(const char* control, QPointer<T>& shown) {
    QTest::mouseClick(Control(app.main, control), Qt::LeftButton);
    return shown;
  }
  // A second start of the program brings the main window forward, restored.
  QWidget* MainAgain() {
    app.main->showMinimized();
    ComeForward(app, nullptr, [] { return false; });
    return app.main;
  }
  // Shown afresh, the splash also comes forward on a second start, which does no harm.
  QWidget* Splash() {
    if (!splash) splash = frmSplash::Start(app, [] { return Status::Ok(); });
    ComeForward(app, splash, [] { return false; });
    return splash;
  }
  QWidget* Edit() {
    FlexGrid* grid = FromMain("cmdManage", app.manager)->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    Click(app.manager, "cmdEdit");
    return app.edit;
  }
  QPointer<frmSplash> splash;
};

TEST_P(WindowContractTest, ShownOnceWithItsOwnerSpokenNamesEnterAndEscape) {
  const auto [name, open, ownedByMain, keys] = GetParam();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    if (key == Qt::Key_Return && keys != Keys::Close) continue;
    QPointer<QWidget> shownNow = open(*this);
    ASSERT_TRUE(shownNow && QTest::qWaitForWindowActive(shownNow));  // keys go to the active window
    QTest::keyClick(shownNow->focusWidget() ? shownNow->focusWidget() : shownNow.data(), key);
    Settle();
    EXPECT_EQ(shownNow && shownNow->isVisible(), keys != Keys::Close) << key;
    if (keys == Keys::EscapeIsAbout) EXPECT_TRUE(app.about && app.about->isVisible());
  }
  QWidget* window = open(*this);  // opened afresh or not
  ASSERT_TRUE(window && window->windowHandle());
  EXPECT_EQ(open(*this), window);  // showing it again only brings it forward
  EXPECT_TRUE(window->isVisible() && !window->isMinimized());
  const auto alike = [window](QWidget* w) { return w->isVisible() && w->metaObject() == window->metaObject(); };
  EXPECT_EQ(std::ranges::count_if(QApplication::topLevelWidgets(), alike), 1);
  EXPECT_EQ(window->windowHandle()->transientParent(), ownedByMain ? app.main->windowHandle() : nullptr);
  for (QWidget* w : window->findChildren<QWidget*>()) {
    const QString control = w->objectName();  // Qt's own parts and the main window's lines are not controls
    if (control.isEmpty() || control.startsWith("qt_") || control.startsWith("Line")) continue;
    EXPECT_FALSE(w->accessibleName().isEmpty()) << control.toStdString();
  }
}

using W = WindowContractTest;
INSTANTIATE_TEST_SUITE_P(
    Windows, WindowContractTest,
    ::testing::Values(
        Contract{"Main", [](W& f) { return f.MainAgain(); }, false, Keys::EscapeIsAbout},
        Contract{"Splash", [](W& f) { return f.Splash(); }, false, Keys::Close},
        Contract{"Minimized", [](W& f) -> QWidget* { return f.FromMain("cmdClose", f.app.minimized); }, false,
                 Keys::NoCancel},
        Contract{"About", [](W& f) -> QWidget* { return f.FromMain("cmdAbout", f.app.about); }, false, Keys::Close},
        Contract{"NewReminder", [](W& f) -> QWidget* { return f.FromMain("cmdSetNew", f.app.setNew); }, true,
                 Keys::Close},
        Contract{"Quick", [](W& f) -> QWidget* { return f.FromMain("Label4", f.app.quickAdd); }, true, Keys::NoCancel},
        Contract{"Manager", [](W& f) -> QWidget* { return f.FromMain("cmdManage", f.app.manager); }, true, Keys::Close},
        Contract{"Edit", [](W& f) { return f.Edit(); }, true, Keys::Close},
        Contract{"Task", [](W& f) -> QWidget* { return f.app.alarm.ShowTask(""); }, true, Keys::NoCancel}),
    [](const auto& c) { return std::string(std::get<0>(c.param)); });

}  // namespace
