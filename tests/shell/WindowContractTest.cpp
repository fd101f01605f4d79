#include <QTest>
#include <QWindow>

#include "entry/frmEdit.h"
#include "entry/frmQuickAdd.h"
#include "entry/frmSetNewReminder.h"
#include "manager/frmLegend.h"
#include "manager/frmManager.h"
#include "platform/FlexGrid.h"
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
  void SetUp() override { home.WriteStore(Due(u"a", t0 + 1s) + Due(u"b", t0 + 2s) + Due(u"c", t0 + 3s)); }
  frmMain* Main() { return app.main ? app.main.data() : LoadMain(); }
  template <class T>
  T* FromMain(const char* control, QPointer<T>& slot) {
    return QTest::mouseClick(Control(Main(), control), Qt::LeftButton), slot;
  }
  // A second start of the program brings the main window forward, restored.
  QWidget* MainAgain() { return (app.main ? app.main->showMinimized() : void()), ComeForward(app, nullptr), app.main; }
  QWidget* Splash() {
    return splash ? ComeForward(app, splash) : void(splash = frmSplash::Start(app, [] { return Status::Ok(); })),
           splash;
  }
  QWidget* Minimized() { return app.minimized ? ComeForward(app, nullptr) : Click(Main(), "cmdClose"), app.minimized; }
  QWidget* Edit() {
    FlexGrid* grid = FromMain("cmdManage", app.manager)->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    return Click(app.manager, "cmdEdit"), app.edit;
  }
  // Each opening announces the next reminder; none has a task.
  QWidget* Task() { return clock.now += 1s, Main()->timCheckReminders_Timer(), app.task; }
  // A left click on the manager's own surface, between its buttons.
  QWidget* Legend() {
    frmManager* m = FromMain("cmdManage", app.manager);
    const QRect del = Control(m, "cmdDelete")->geometry(), close = Control(m, "cmdCancel")->geometry();
    QTest::mouseClick(m, Qt::LeftButton, {}, QPoint((del.right() + close.left()) / 2, del.center().y()));
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<frmLegend*>(w) && w->isVisible()) return w;
    return nullptr;
  }
  QPointer<frmSplash> splash;
};

TEST_P(WindowContractTest, ShownOnceWithItsOwnerSpokenNamesEnterAndEscape) {
  const auto [name, open, ownedByMain, keys] = GetParam();
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    if (keys != Keys::Close && key == Qt::Key_Return) continue;
    QPointer<QWidget> shownNow = open(*this);
    ASSERT_TRUE(shownNow && QTest::qWaitForWindowActive(shownNow));  // keys go to the active window
    QTest::keyClick(shownNow->focusWidget() ? shownNow->focusWidget() : shownNow.data(), key);
    Settle();
    EXPECT_EQ(shownNow && shownNow->isVisible(), keys != Keys::Close) << key;
    EXPECT_TRUE(keys != Keys::EscapeIsAbout || (app.about && app.about->isVisible()));
  }
  QWidget* window = open(*this);  // opened afresh or not
  ASSERT_TRUE(window && window->windowHandle());
  EXPECT_EQ(open(*this), window);  // showing it again only brings it forward
  EXPECT_TRUE(window->isVisible() && !window->isMinimized());
  int shown = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) shown += w->isVisible() && w->metaObject() == window->metaObject();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(window->windowHandle()->transientParent(), ownedByMain ? app.main->windowHandle() : nullptr);
  for (QWidget* w : window->findChildren<QWidget*>()) {
    const QString control = w->objectName();  // the main window's lines are not controls
    EXPECT_TRUE(control.isEmpty() || control.startsWith("qt_") || control.startsWith("Line") ||
                !w->accessibleName().isEmpty())
        << control.toStdString();
  }
}

using W = WindowContractTest;
INSTANTIATE_TEST_SUITE_P(
    Windows, WindowContractTest,
    ::testing::Values(
        Contract{"Main", [](W& f) { return f.MainAgain(); }, false, Keys::EscapeIsAbout},
        Contract{"Splash", [](W& f) { return f.Splash(); }, false, Keys::Close},
        Contract{"Minimized", [](W& f) { return f.Minimized(); }, false, Keys::NoCancel},
        Contract{"About", [](W& f) -> QWidget* { return f.FromMain("cmdAbout", f.app.about); }, false, Keys::Close},
        Contract{"NewReminder", [](W& f) -> QWidget* { return f.FromMain("cmdSetNew", f.app.setNew); }, true,
                 Keys::Close},
        Contract{"Quick", [](W& f) -> QWidget* { return f.FromMain("Label4", f.app.quickAdd); }, true, Keys::NoCancel},
        Contract{"Manager", [](W& f) -> QWidget* { return f.FromMain("cmdManage", f.app.manager); }, true, Keys::Close},
        Contract{"Edit", [](W& f) { return f.Edit(); }, true, Keys::Close},
        Contract{"Task", [](W& f) { return f.Task(); }, true, Keys::NoCancel},
        Contract{"Legend", [](W& f) { return f.Legend(); }, false, Keys::NoCancel}),
    [](const auto& c) { return std::string(std::get<0>(c.param)); });

}  // namespace
