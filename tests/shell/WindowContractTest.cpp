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

class WindowContractTest;
struct Contract {
  const char* name;
  QWidget* (*open)(WindowContractTest&);  // the program's way to it, again and again
  bool ownedByMain;
  Keys keys;
};
void PrintTo(const Contract& c, std::ostream* out) { *out << c.name; }

class WindowContractTest : public WidgetFixture, public ::testing::WithParamInterface<Contract> {
 public:
  using WidgetFixture::app;
  void SetUp() override { home.WriteStore(Due(u"a", t0 + 1s) + Due(u"b", t0 + 2s) + Due(u"c", t0 + 3s)); }
  frmMain* Main() { return app.main ? app.main.data() : LoadMain(); }
  template <class T>
  T* FromMain(const char* control, QPointer<T>& slot) {
    QTest::mouseClick(Control(Main(), control), Qt::LeftButton);
    return slot;
  }
  // A second start of the program brings the main window forward, restored.
  QWidget* MainAgain() {
    if (app.main) app.main->showMinimized();
    ComeForward(app, nullptr);
    return app.main;
  }
  QWidget* Splash() {
    if (splash) ComeForward(app, splash);
    else splash = frmSplash::Start(app, [] { return Status::Ok(); });
    return splash;
  }
  QWidget* Minimized() {
    if (app.minimized) ComeForward(app, nullptr);
    else Click(Main(), "cmdClose");
    return app.minimized;
  }
  QWidget* Edit() {
    FlexGrid* grid = FromMain("cmdManage", app.manager)->grid();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
    Click(app.manager, "cmdEdit");
    return app.edit;
  }
  // Each opening announces the next reminder; none has a task.
  QWidget* Task() {
    clock.now += 1s;
    Main()->timCheckReminders_Timer();
    return app.task;
  }
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

TEST_P(WindowContractTest, ShowingItAgainOnlyBringsItForwardAndItHasItsOwnerAndSpokenNames) {
  QWidget* window = GetParam().open(*this);
  ASSERT_TRUE(window && window->windowHandle());
  EXPECT_EQ(GetParam().open(*this), window);
  EXPECT_TRUE(window->isVisible() && !window->isMinimized());
  int shown = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) shown += w->isVisible() && w->metaObject() == window->metaObject();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(window->windowHandle()->transientParent(), GetParam().ownedByMain ? app.main->windowHandle() : nullptr);
  for (QWidget* w : window->findChildren<QWidget*>()) {
    const QString name = w->objectName();  // the main window's lines are not controls
    if (!name.isEmpty() && !name.startsWith("qt_") && !name.startsWith("Line"))
      EXPECT_FALSE(w->accessibleName().isEmpty()) << name.toStdString();
  }
}

TEST_P(WindowContractTest, EnterAndEscape) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    if (GetParam().keys != Keys::Close && key == Qt::Key_Return) continue;
    QPointer<QWidget> window = GetParam().open(*this);
    ASSERT_TRUE(window && QTest::qWaitForWindowActive(window));  // keys go to the active window
    QTest::keyClick(window->focusWidget() ? window->focusWidget() : window.data(), key);
    Settle();
    EXPECT_EQ(window && window->isVisible(), GetParam().keys != Keys::Close) << key;
    if (GetParam().keys == Keys::EscapeIsAbout) EXPECT_TRUE(app.about && app.about->isVisible());
  }
}

using W = WindowContractTest;
INSTANTIATE_TEST_SUITE_P(
    Windows, WindowContractTest,
    ::testing::Values(
        Contract{"Main", [](W& t) { return t.MainAgain(); }, false, Keys::EscapeIsAbout},
        Contract{"Splash", [](W& t) { return t.Splash(); }, false, Keys::Close},
        Contract{"Minimized", [](W& t) { return t.Minimized(); }, false, Keys::NoCancel},
        Contract{"About", [](W& t) -> QWidget* { return t.FromMain("cmdAbout", t.app.about); }, false, Keys::Close},
        Contract{"NewReminder", [](W& t) -> QWidget* { return t.FromMain("cmdSetNew", t.app.setNew); }, true, Keys::Close},
        Contract{"Quick", [](W& t) -> QWidget* { return t.FromMain("Label4", t.app.quickAdd); }, true, Keys::NoCancel},
        Contract{"Manager", [](W& t) -> QWidget* { return t.FromMain("cmdManage", t.app.manager); }, true, Keys::Close},
        Contract{"Edit", [](W& t) { return t.Edit(); }, true, Keys::Close},
        Contract{"Task", [](W& t) { return t.Task(); }, true, Keys::NoCancel},
        Contract{"Legend", [](W& t) { return t.Legend(); }, false, Keys::NoCancel}),
    [](const ::testing::TestParamInfo<Contract>& c) { return std::string(c.param.name); });

}  // namespace
