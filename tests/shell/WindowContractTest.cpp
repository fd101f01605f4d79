#include <gmock/gmock.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyleOptionButton>
#include <QTableView>
#include <QWindow>

#include "entry/WrappingCheckBox.h"
#include "entry/frmEdit.h"
#include "entry/frmQuickAdd.h"
#include "entry/frmSetNewReminder.h"
#include "homeset/HalvernContext.h"
#include "homeset/frmAppPath.h"
#include "homeset/frmMain4SetPath.h"
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

// The program's windows over a store in a locale's forms, and the program's ways to them.
struct ProgramWindows : WidgetFixture {
  using WidgetFixture::app;
  explicit ProgramWindows(const char* locale = "C") : WidgetFixture(locale) {}
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
  // A click on the manager's surface, between two of its buttons, shows the legend.
  QWidget* Legend() {
    QWidget* manager = FromMain("cmdManage", app.manager);
    const QRect left = Control(manager, "cmdDelete")->geometry(), right = Control(manager, "cmdCancel")->geometry();
    QTest::mouseClick(manager, Qt::LeftButton, {}, QPoint((left.right() + right.left()) / 2, left.center().y()));
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == "frmLegend" && w->isVisible()) return w;
    return nullptr;
  }
  // Halvern's start window as its program shows it, and the chooser its Browse opens.
  QWidget* Halvern() {
    if (!halvern.main) (halvern.main = new frmMain4SetPath(halvern))->show();
    return halvern.main;
  }
  QWidget* Chooser() {
    Click(Halvern(), "cmdBrowse");
    return halvern.chooser;
  }
  QPointer<frmSplash> splash;
  QtHalvernBoxes halvernBoxes;
  QtFolderSource folders;
  OsFileOutput files;
  HalvernContext halvern{halvernBoxes, folders, files};
};

// Its name, the program's way to it (again and again), whether the main window owns it, its keys.
using Open = QWidget* (*)(ProgramWindows&);
using Contract = std::tuple<const char*, Open, bool, Keys>;
using W = ProgramWindows;
const Contract kWindows[] = {
    {"Main", [](W& f) { return f.MainAgain(); }, false, Keys::EscapeIsAbout},
    {"Splash", [](W& f) { return f.Splash(); }, false, Keys::Close},
    {"Minimized", [](W& f) -> QWidget* { return f.FromMain("cmdClose", f.app.minimized); }, false, Keys::NoCancel},
    {"About", [](W& f) -> QWidget* { return f.FromMain("cmdAbout", f.app.about); }, false, Keys::Close},
    {"NewReminder", [](W& f) -> QWidget* { return f.FromMain("cmdSetNew", f.app.setNew); }, true, Keys::Close},
    {"Quick", [](W& f) -> QWidget* { return f.FromMain("Label4", f.app.quickAdd); }, true, Keys::NoCancel},
    {"Manager", [](W& f) -> QWidget* { return f.FromMain("cmdManage", f.app.manager); }, true, Keys::Close},
    {"Edit", [](W& f) { return f.Edit(); }, true, Keys::Close},
    {"Task", [](W& f) -> QWidget* { return f.app.alarm.ShowTask(""); }, true, Keys::NoCancel}};

struct WindowContractTest : ProgramWindows, ::testing::WithParamInterface<Contract> {
  void SetUp() override {
    home.WriteStore(Due(u"to edit", t0 + 1h));
    LoadMain();
  }
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

// Where a control draws its text (in its own coordinates) and how; no text, no room.
struct Room {
  QRect rect;
  int flags = Qt::AlignLeft | Qt::AlignVCenter;
};

// A button's contents as its style lays them out: a push button's text keeps the style's
// margin off its bevel, a tool button gets the size it asks for.
Room ButtonRoom(QAbstractButton* button) {
  QStyleOptionButton option;
  option.initFrom(button);
  const int flags = Qt::TextShowMnemonic | (qobject_cast<WrappingCheckBox*>(button) ? Qt::TextWordWrap : 0);
  if (qobject_cast<QPushButton*>(button)) {
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, &option, button) / 2;
    const QRect contents = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    return {contents.adjusted(margin, 0, -margin, 0), Qt::AlignCenter | flags};
  }
  if (qobject_cast<QCheckBox*>(button))
    return {button->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, button),
            Qt::AlignLeft | Qt::AlignVCenter | flags};
  const QSize wanted = button->sizeHint();
  const bool fits = wanted.width() <= button->width() && wanted.height() <= button->height();
  return {fits ? button->rect() : QRect(), Qt::AlignCenter | flags};
}

struct FitCheck {
  QWidget* window;
  std::vector<std::string> faults;
  int texts = 0;

  // The text must lie inside its room, and its letters touch no other control of the
  // window (lines may overlap one by their leading, as designed).
  void Text(QWidget* control, const QString& what, const QString& text, const QFont& font, const Room& room) {
    if (text.isEmpty()) return;
    ++texts;
    const QFontMetrics metrics(font);
    const QRect needed = metrics.boundingRect(room.rect, room.flags, text);
    const auto fault = [&](const QString& why) {
      faults.push_back(QString("%1 %2 \"%3\": %4").arg(control->objectName(), what, text, why).toStdString());
    };
    if (!room.rect.contains(needed))
      fault(QString("needs %1x%2, has %3x%4")
                .arg(needed.width())
                .arg(needed.height())
                .arg(room.rect.width())
                .arg(room.rect.height()));
    const QRect ink = metrics.boundingRect(QString(text).remove('&'));
    QRect drawn(control->mapTo(window, needed.topLeft()), needed.size());
    if (needed.height() <= metrics.height())  // one line: where its letters are, not its advance
      drawn.setCoords(drawn.left() + ink.left(), drawn.top(), drawn.left() + ink.right(), drawn.bottom());
    drawn.adjust(-1, metrics.ascent() + ink.top(), 1, ink.bottom() + 1 - metrics.descent());
    for (QWidget* other : window->findChildren<QWidget*>()) {
      if (other->isVisible() && !other->isAncestorOf(control) && !control->isAncestorOf(other) && other != control &&
          QRect(other->mapTo(window, QPoint()), other->size()).intersects(drawn))
        fault(QString("touches %1 %2").arg(other->metaObject()->className(), other->objectName()));
    }
  }

  // The header's sections and every row's cells, each in its own font.
  void Grid(QTableView* view) {
    const QAbstractItemModel* model = view->model();
    const int margin = view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    const int headerMargin = view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, view);
    QHeaderView* header = view->horizontalHeader();
    for (int col = 0; col < model->columnCount(); ++col) {
      const QRect section(header->sectionViewportPosition(col), 0, header->sectionSize(col), header->height());
      if (header->isVisible())
        Text(header, "header", model->headerData(col, Qt::Horizontal).toString(), header->font(),
             {section.adjusted(headerMargin, headerMargin, -headerMargin, -headerMargin)});
      for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex cell = model->index(row, col);
        const QFont font = cell.data(Qt::FontRole).value<QFont>().resolve(view->font());
        if (!view->isRowHidden(row))
          Text(view->viewport(), QString("cell %1,%2").arg(row).arg(col), cell.data().toString(), font,
               {view->visualRect(cell).adjusted(margin, 0, -margin, 0)});
      }
    }
  }

  explicit FitCheck(QWidget* shown) : window(shown) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
      // A control no one can see (hidden, or wholly under an opaque one) shows nothing.
      if (!w->isVisible() || w->visibleRegion().isEmpty()) continue;
      if (auto* label = qobject_cast<QLabel*>(w))
        Text(w, "text", label->text(), w->font(),
             {label->contentsRect(), int(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0)});
      if (auto* button = qobject_cast<QAbstractButton*>(w))
        Text(w, "caption", button->text(), w->font(), ButtonRoom(button));
      if (auto* grid = qobject_cast<QTableView*>(w)) Grid(grid);
    }
  }
};

// Every window of both programs: the contract's and three more.
using Opening = std::pair<const char*, Open>;
std::vector<Opening> EveryWindow() {
  std::vector<Opening> all = {{"Legend", [](W& f) { return f.Legend(); }},
                              {"Halvern", [](W& f) { return f.Halvern(); }},
                              {"HalvernChooser", [](W& f) { return f.Chooser(); }}};
  for (const auto& [name, open, owned, keys] : kWindows) all.emplace_back(name, open);
  return all;
}

// Every text a user reads (labels, buttons, check boxes, grid cells) fits its control
// and lies under no other, in the locale's language and forms, with the program's fonts;
// CTest runs this at more scale factors too.
struct WindowFitTest : ProgramWindows, ::testing::WithParamInterface<std::tuple<Opening, const char*>> {
  WindowFitTest() : ProgramWindows(std::get<1>(GetParam())) { QLocale::setDefault(QLocale(std::get<1>(GetParam()))); }
  ~WindowFitTest() override { QLocale::setDefault(system); }
  const QLocale system;
};

TEST_P(WindowFitTest, EveryTextFitsItsControl) {
  home.WriteStore(Due(u"this afternoon", t0 + 1h) + Due(u"this morning", t0 - 10h) + Due(u"next month", t0 + 720h));
  LoadMain();
  QWidget* window = std::get<0>(GetParam()).second(*this);
  ASSERT_TRUE(window && QTest::qWaitForWindowExposed(window));
  const FitCheck check(window);
  EXPECT_GT(check.texts, 0);
  EXPECT_THAT(check.faults, ::testing::IsEmpty());
}

#ifndef _WIN32  // measured with the fonts the package installs; Windows has its own
INSTANTIATE_TEST_SUITE_P(Windows, WindowFitTest,
                         ::testing::Combine(::testing::ValuesIn(EveryWindow()),
                                            ::testing::Values("C", "en_US.UTF-8", "de_DE.UTF-8")),
                         [](const auto& c) {
                           const std::string locale = std::get<1>(c.param);
                           return std::get<0>(c.param).first + ("_" + locale.substr(0, locale.find('.')));
                         });
#else
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(WindowFitTest);
#endif

INSTANTIATE_TEST_SUITE_P(Windows, WindowContractTest, ::testing::ValuesIn(kWindows),
                         [](const auto& c) { return std::string(std::get<0>(c.param)); });

}  // namespace
