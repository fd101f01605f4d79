#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "entry/frmEdit.h"
#include "manager/frmLegend.h"
#include "manager/frmManager.h"
#include "platform/DesignFonts.h"
#include "platform/FlexGrid.h"
#include "shell/WidgetFixture.h"

using namespace std::chrono_literals;

namespace {

class ManagerTest : public WidgetFixture {
 protected:
  // Three reminders: one expired, one later today, one tomorrow.
  std::string ThreeReminders() {
    return Due(u"expired", t0 - 1h, u"/bin/old") + Due(u"later today", t0 + 1h, u"/bin/today") +
           Due(u"tomorrow", t0 + 24h, u"/bin/tomorrow");
  }
  // n reminders due on later days, more than the grid shows when n is large.
  std::string Reminders(int n) {
    std::string bytes;
    for (int i = 1; i <= n; ++i) bytes += Due(u"r" + QString::number(i).toStdU16String(), t0 + std::chrono::hours(24 * i));
    return bytes;
  }
  frmManager* Open() { return ShowManager(app, nullptr); }
  static FlexGrid* Grid(frmManager* m) { return m->grid(); }
  static QString Cell(frmManager* m, int row, int col) {
    Grid(m)->SetRow(row);
    Grid(m)->SetCol(col);
    return Grid(m)->Text();
  }
  static QPushButton* Button(QWidget* w, const char* name) { return w->findChild<QPushButton*>(name); }
  static void ClickRow(frmManager* m, int row) {
    FlexGrid* grid = Grid(m);
    const QRect cell = grid->visualRect(grid->model()->index(row, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  }
  // Presses on one row, moves with the button held and releases on another.
  static void DragRows(frmManager* m, int from, int to) {
    FlexGrid* grid = Grid(m);
    auto centre = [grid](int row) { return grid->visualRect(grid->model()->index(row, 0)).center(); };
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, centre(from));
    QTest::mouseMove(grid->viewport(), centre(to));
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, centre(to));
  }
  static void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
  static QRect CellRect(frmManager* m, int row, int col) {
    return Grid(m)->visualRect(Grid(m)->model()->index(row, col));
  }
  static bool Shown(frmManager* m, const QRect& cell) { return Grid(m)->viewport()->rect().contains(cell); }
  // The header is shown above the rows, with row 0's texts.
  static void ExpectHeaderAboveTheRows(frmManager* m) {
    QHeaderView* header = Grid(m)->horizontalHeader();
    EXPECT_TRUE(header->isVisible());
    EXPECT_LE(header->geometry().bottom(), Grid(m)->viewport()->geometry().top());
    for (int col = 0; col < 4; ++col) {
      const QString shown = header->model()->headerData(col, Qt::Horizontal).toString();
      EXPECT_FALSE(shown.isEmpty()) << col;
      EXPECT_EQ(shown, Cell(m, 0, col));
    }
  }
  static frmLegend* Legend() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* l = qobject_cast<frmLegend*>(w); l && l->isVisible()) return l;
    return nullptr;
  }
};

TEST_F(ManagerTest, ListsEveryRecordInFileOrderWithAHeaderAndAnEmptyTrailingRow) {
  for (int n : {0, 1, 3}) {
    home.WriteStore(Reminders(n));
    frmManager* m = Open();
    EXPECT_EQ(m->windowTitle(), "Manage Stored Reminders");
    EXPECT_EQ(Grid(m)->Rows(), n + 2);
    EXPECT_EQ(Grid(m)->RowSel(), n + 1);  // the current cell ends on the trailing row
    EXPECT_FALSE(Button(m, "cmdEdit")->isEnabled());
    EXPECT_FALSE(Button(m, "cmdDelete")->isEnabled());
    for (int col = 0; col < 4; ++col)
      EXPECT_EQ(Cell(m, 0, col), (QStringList{"Reminder", "Date", "Time", "Task/Program to run"}[col]));
    for (int i = 1; i <= n; ++i) EXPECT_EQ(Cell(m, i, 0), QString("r%1").arg(i));
    for (int col = 0; col < 4; ++col) EXPECT_EQ(Cell(m, n + 1, col), "");
    m->close();
    Settle();
  }
}

class ManagerOpenTest : public ManagerTest, public ::testing::WithParamInterface<int> {};

TEST_P(ManagerOpenTest, OpensOnTheHeaderAndTheFirstRowsFromTheLeftEdge) {
  home.WriteStore(Reminders(GetParam()));
  frmManager* m = Open();
  EXPECT_EQ(CellRect(m, 1, 0).topLeft(), QPoint(0, 0));
  ExpectHeaderAboveTheRows(m);
}

// A few rows, and more than fit.
INSTANTIATE_TEST_SUITE_P(Counts, ManagerOpenTest, ::testing::Values(3, 30));

TEST_F(ManagerTest, TheHeaderStaysAtTheTopWhileTheUserScrollsTheRows) {
  home.WriteStore(Reminders(30));
  frmManager* m = Open();
  ClickRow(m, 1);
  QTest::keyClick(Grid(m), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(Grid(m)->RowSel(), 31);
  EXPECT_TRUE(Shown(m, Grid(m)->visualRect(Grid(m)->currentIndex())));  // the user's move scrolls
  EXPECT_FALSE(Grid(m)->viewport()->rect().intersects(CellRect(m, 1, 0)));
  ExpectHeaderAboveTheRows(m);
}

TEST_F(ManagerTest, RowsAreAsHighAsTheirFontAndTheGridShowsAboutEight) {
  home.WriteStore(Reminders(30));
  frmManager* m = Open();
  const int line = Grid(m)->fontMetrics().height();
  EXPECT_GE(CellRect(m, 1, 0).height(), line);
  EXPECT_LT(CellRect(m, 1, 0).height(), line * 3 / 2);
  int shown = 0;
  for (int row = 1; row < Grid(m)->Rows(); ++row) shown += Shown(m, CellRect(m, row, 0));
  EXPECT_GE(shown, 7);
  EXPECT_LE(shown, 9);
}

TEST_F(ManagerTest, OnlyTheTaskCellCarriesTheRowsMarking) {
  home.WriteStore(ThreeReminders() + Due(u"due now", t0) + RecordOf(u"garbled", u"99/99/9999", u"xx"));
  frmManager* m = Open();
  struct Expect {
    int row;
    std::optional<bool> strike, bold;
    std::optional<QColor> color;
  };
  for (const Expect& e : {Expect{1, true, false, QColor(0, 0, 0)}, Expect{2, false, true, QColor(0, 0, 0)},
                          Expect{3, false, false, QColor(0, 0, 255)}, Expect{4, {}, {}, {}}, Expect{5, {}, {}, {}}}) {
    const FlexGrid::CellLook look = Grid(m)->LookOf(e.row, 3);
    EXPECT_EQ(look.strikeThrough, e.strike) << e.row;
    EXPECT_EQ(look.bold, e.bold) << e.row;
    EXPECT_EQ(look.foreColor, e.color) << e.row;
    for (int col = 0; col < 3; ++col) {
      const FlexGrid::CellLook plain = Grid(m)->LookOf(e.row, col);
      EXPECT_FALSE(plain.strikeThrough || plain.bold || plain.foreColor) << e.row << "," << col;
    }
  }
  EXPECT_EQ(Cell(m, 5, 1), "99/99/9999");  // an unreadable row keeps its texts and its place
}

// Edit follows the row where the selection began, Delete the row where it ends; the
// empty trailing row enables neither. A press and release on one row is a click.
struct Drag {
  int from, to;
  bool edit, del;
};

void PrintTo(const Drag& d, std::ostream* os) { *os << d.from << "to" << d.to; }

class ManagerDragTest : public ManagerTest, public ::testing::WithParamInterface<Drag> {};

TEST_P(ManagerDragTest, EditFollowsWhereTheSelectionBeganAndDeleteWhereItEnds) {
  home.WriteStore(ThreeReminders());
  frmManager* m = Open();
  DragRows(m, GetParam().from, GetParam().to);
  ASSERT_EQ(Grid(m)->Row(), GetParam().from);
  ASSERT_EQ(Grid(m)->RowSel(), GetParam().to);
  EXPECT_EQ(Button(m, "cmdEdit")->isEnabled(), GetParam().edit);
  EXPECT_EQ(Button(m, "cmdDelete")->isEnabled(), GetParam().del);
}

INSTANTIATE_TEST_SUITE_P(Rows, ManagerDragTest,
                         ::testing::Values(Drag{2, 2, true, true}, Drag{4, 4, false, false}, Drag{1, 3, true, true},
                                           Drag{4, 2, false, true}, Drag{2, 4, true, false}));

class ManagerDeleteTest : public ManagerTest, public ::testing::WithParamInterface<int> {};

TEST_P(ManagerDeleteTest, DeletesExactlyTheSelectedRowThenClosesAndRecounts) {
  const std::vector<std::string> records = {Due(u"one", t0 + 1h), Due(u"two", t0 + 2h), Due(u"three", t0 + 3h)};
  home.WriteStore(records[0] + records[1] + records[2]);
  frmMain* main = LoadMain();
  QPointer<frmManager> m = ShowManager(app, main);
  ClickRow(m, GetParam());
  messages.answer = MessageAnswer::Yes;
  QTest::mouseClick(Button(m, "cmdDelete"), Qt::LeftButton);
  std::string expected;
  for (int i = 0; i < 3; ++i)
    if (i + 1 != GetParam()) expected += records[static_cast<std::size_t>(i)];
  EXPECT_TRUE(home.StoreBytes() == expected);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "Are you sure you want to delete this reminder, it can't be recalled later");
  EXPECT_EQ(messages.shown[0].title, "Confirm delete");
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(messages.shown[1].text, "Reminder deleted");
  EXPECT_EQ(messages.shown[1].title, "Deleted");
  EXPECT_EQ(messages.shown[1].icon, MessageIcon::Information);
  Settle();
  EXPECT_TRUE(m.isNull());
  EXPECT_EQ(main->findChild<QLabel*>("lblNoOfReminders")->text(), "[2]");
}

INSTANTIATE_TEST_SUITE_P(Rows, ManagerDeleteTest, ::testing::Values(1, 2, 3));

TEST_F(ManagerTest, AnsweringNoChangesNothing) {
  home.WriteStore(ThreeReminders());
  frmManager* m = Open();
  ClickRow(m, 2);
  messages.answer = MessageAnswer::No;
  QTest::mouseClick(Button(m, "cmdDelete"), Qt::LeftButton);
  EXPECT_EQ(home.StoreBytes(), ThreeReminders());
  EXPECT_TRUE(m->isVisible());
  EXPECT_EQ(Grid(m)->Rows(), 5);
}

TEST_F(ManagerTest, DragDeletesWhereTheSelectionEndsButEditsWhereItBegan) {
  const std::string five = Due(u"r1", t0 + 1h) + Due(u"r2", t0 + 2h) + Due(u"r3", t0 + 3h) + Due(u"r4", t0 + 4h) +
                           Due(u"r5", t0 + 5h);
  for (bool edit : {true, false}) {
    home.WriteStore(five);
    QPointer<frmManager> m = Open();
    DragRows(m, 2, 5);
    EXPECT_EQ(Grid(m)->Row(), 2);
    EXPECT_EQ(Grid(m)->RowSel(), 5);
    if (edit) {
      QTest::mouseClick(Button(m, "cmdEdit"), Qt::LeftButton);
      ASSERT_TRUE(app.edit);
      EXPECT_FALSE(m->isVisible());
      EXPECT_EQ(app.edit->findChild<QLineEdit*>("txtAbout")->text(), "r2");
      EXPECT_EQ(app.edit->EditRecordNumber(), 2);
      app.edit->close();
      m->close();
    } else {
      messages.answer = MessageAnswer::Yes;
      QTest::mouseClick(Button(m, "cmdDelete"), Qt::LeftButton);
      EXPECT_TRUE(home.StoreBytes() == five.substr(0, 4 * 356));  // r5 went
    }
    Settle();
  }
}

TEST_F(ManagerTest, DeleteRefusesWhenTheStoreChangedSinceTheListWasRead) {
  home.WriteStore(ThreeReminders());
  frmManager* m = Open();
  ClickRow(m, 2);
  const std::string changed = Due(u"new first", t0 + 5h) + ThreeReminders();  // another program wrote
  home.WriteStore(changed);
  messages.answer = MessageAnswer::Yes;
  QTest::mouseClick(Button(m, "cmdDelete"), Qt::LeftButton);
  EXPECT_EQ(home.StoreBytes(), changed);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].title, "Reminder");
  EXPECT_TRUE(messages.shown[1].text.contains("changed meanwhile"));
  EXPECT_TRUE(m->isVisible());
}

TEST_F(ManagerTest, UnreadableStoreShowsTheFailureAndAnEmptyList) {
  std::filesystem::remove_all(home.root() / "db");
  frmManager* m = Open();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::Critical);
  EXPECT_TRUE(messages.shown[0].text.startsWith("No such file or directory: "));
  EXPECT_EQ(Grid(m)->Rows(), 2);
}

struct LegendClick {
  const char* name;
  Qt::MouseButton button;
  bool insideTheFrame;
  bool opens;
};
void PrintTo(const LegendClick& click, std::ostream* out) { *out << click.name; }

class ManagerLegendTest : public ManagerTest, public ::testing::WithParamInterface<LegendClick> {};

TEST_P(ManagerLegendTest, OnlyALeftClickOnTheSurfaceShowsTheLegendWhichClosesWithTheManager) {
  frmManager* m = Open();
  QWidget* frame = m->findChild<QGroupBox*>("fraReminder");
  const QRect grid = Grid(m)->geometry();
  const QRect del = Button(m, "cmdDelete")->geometry(), close = Button(m, "cmdCancel")->geometry();
  QWidget* target = m;
  QPoint at((del.right() + close.left()) / 2, del.center().y());  // between the buttons
  if (GetParam().insideTheFrame) {
    target = frame;
    at = QPoint(grid.center().x(), (grid.bottom() + frame->height()) / 2);  // below the grid
  }
  ASSERT_EQ(m->childAt(target->mapTo(m, at)), target == m ? nullptr : target);
  QTest::mouseClick(target, GetParam().button, {}, at);
  QPointer<frmLegend> legend = Legend();
  ASSERT_EQ(static_cast<bool>(legend), GetParam().opens);
  if (!legend) return;
  EXPECT_EQ(legend->windowTitle(), "Legend");
  m->close();
  Settle();
  EXPECT_TRUE(legend.isNull() || !legend->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ManagerLegendTest,
    ::testing::Values(LegendClick{"LeftOnTheSurface", Qt::LeftButton, false, true},
                      LegendClick{"RightOnTheSurface", Qt::RightButton, false, false},
                      LegendClick{"LeftInsideTheFrame", Qt::LeftButton, true, false}),
    [](const auto& click) { return std::string(click.param.name); });

TEST_F(ManagerTest, TheLegendShowsEachTextWhole) {
  LoadDesignFonts();  // as the program does
  frmLegend legend;
  for (QLabel* label : legend.findChildren<QLabel*>())
    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->objectName().toStdString();
}

TEST_F(ManagerTest, NarrowerWindowMovesCloseManagerWithTheRightEdge) {
  frmManager* m = Open();
  QPushButton* close = Button(m, "cmdCancel");
  QPushButton* edit = Button(m, "cmdEdit");
  const int closeLeft = close->x(), editLeft = edit->x();
  m->resize(m->width() - 60, m->height());
  EXPECT_EQ(close->x(), closeLeft - 60);
  EXPECT_EQ(edit->x(), editLeft);
  m->resize(10, 10);  // dragged very small: nothing negative
  EXPECT_GE(m->findChild<QGroupBox*>("fraReminder")->width(), 0);
}

}  // namespace
