#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>

#include "entry/frmEdit.h"
#include "manager/frmLegend.h"
#include "manager/frmManager.h"
#include "platform/FlexGrid.h"
#include "shell/WidgetFixture.h"

using namespace std::chrono_literals;

namespace {

class ManagerTest : public WidgetFixture {
 protected:
  // n reminders, one an hour from an hour ahead.
  std::string Reminders(int n) {
    std::string bytes;
    for (int i = 1; i <= n; ++i) bytes += Due(u"r" + QString::number(i).toStdU16String(), t0 + i * 1h);
    return bytes;
  }
  frmManager* Open(QWidget* owner = nullptr) { return ShowManager(app, owner); }
  static bool Enabled(QWidget* w, const char* name) { return Control(w, name)->isEnabled(); }
  static QString Cell(frmManager* m, int row, int col) {
    m->grid()->SetRow(row);
    m->grid()->SetCol(col);
    return m->grid()->Text();
  }
  static QPoint Centre(frmManager* m, int row) { return m->grid()->visualRect(m->grid()->model()->index(row, 0)).center(); }
  // Presses on one row, moves with the button held and releases on another.
  static void DragRows(frmManager* m, int from, int to) {
    QWidget* rows = m->grid()->viewport();
    QTest::mousePress(rows, Qt::LeftButton, {}, Centre(m, from));
    QTest::mouseMove(rows, Centre(m, to));
    QTest::mouseRelease(rows, Qt::LeftButton, {}, Centre(m, to));
  }
  static void ExpectHeaderAboveTheRows(frmManager* m) {
    QHeaderView* header = m->grid()->horizontalHeader();
    EXPECT_TRUE(header->isVisible());
    EXPECT_LE(header->geometry().bottom(), m->grid()->viewport()->geometry().top());
    EXPECT_EQ(header->model()->headerData(0, Qt::Horizontal).toString(), Cell(m, 0, 0));
  }
};

TEST_F(ManagerTest, ListsEveryRecordInFileOrderAndEndsOnAnEmptyTrailingRow) {
  home.WriteStore(Reminders(3));
  frmManager* m = Open();
  EXPECT_EQ(m->grid()->Rows(), 5);
  EXPECT_EQ(m->grid()->RowSel(), 4);
  EXPECT_FALSE(Enabled(m, "cmdEdit") || Enabled(m, "cmdDelete"));
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(Cell(m, row, 0), QString("r%1").arg(row));
  EXPECT_EQ(Cell(m, 4, 0), "");
}

TEST_F(ManagerTest, OpensOnTheFirstRowsAndTheHeaderStaysWhileTheUserScrolls) {
  home.WriteStore(Reminders(30));
  frmManager* m = Open();
  EXPECT_EQ(m->grid()->visualRect(m->grid()->model()->index(1, 0)).topLeft(), QPoint(0, 0));
  ExpectHeaderAboveTheRows(m);
  QTest::mouseClick(m->grid()->viewport(), Qt::LeftButton, {}, Centre(m, 1));
  QTest::keyClick(m->grid(), Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(m->grid()->RowSel(), 31);
  EXPECT_TRUE(m->grid()->viewport()->rect().contains(m->grid()->visualRect(m->grid()->currentIndex())));
  ExpectHeaderAboveTheRows(m);
}

TEST_F(ManagerTest, OnlyTheTaskCellCarriesTheRowsMarking) {
  home.WriteStore(Due(u"expired", t0 - 1h) + Due(u"later today", t0 + 1h) + Due(u"tomorrow", t0 + 24h) +
                  Due(u"due now", t0) + RecordOf(u"garbled", u"99/99/9999", u"xx"));
  frmManager* m = Open();
  auto describe = [m](int row, int col) {
    const FlexGrid::CellLook look = m->grid()->LookOf(row, col);
    if (!look.foreColor) return QString(look.strikeThrough || look.bold ? "?" : "plain");
    return QString("%1%2%3").arg(look.strikeThrough.value_or(false) ? "struck " : "",
                                 look.bold.value_or(false) ? "bold " : "", look.foreColor->name());
  };
  const QStringList expected = {"struck #000000", "bold #000000", "#0000ff", "plain", "plain"};
  for (int row = 1; row <= 5; ++row) {
    EXPECT_EQ(describe(row, 3), expected[row - 1]) << row;
    EXPECT_EQ(describe(row, 0), "plain") << row;
  }
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
  home.WriteStore(Reminders(3));
  frmManager* m = Open();
  DragRows(m, GetParam().from, GetParam().to);
  EXPECT_EQ(Enabled(m, "cmdEdit"), GetParam().edit);
  EXPECT_EQ(Enabled(m, "cmdDelete"), GetParam().del);
}

INSTANTIATE_TEST_SUITE_P(Rows, ManagerDragTest,
                         ::testing::Values(Drag{2, 2, true, true}, Drag{4, 4, false, false}, Drag{1, 3, true, true},
                                           Drag{4, 2, false, true}, Drag{2, 4, true, false}));

TEST_F(ManagerTest, DragDeletesWhereTheSelectionEndsButEditsWhereItBegan) {
  home.WriteStore(Reminders(5));
  QPointer<frmManager> m = Open();
  DragRows(m, 2, 5);
  Click(m, "cmdEdit");
  ASSERT_TRUE(app.edit);
  EXPECT_FALSE(m->isVisible());
  EXPECT_EQ(Control<QLineEdit>(app.edit, "txtAbout")->text(), "r2");
  app.edit->close();
  m->close();
  Settle();
  frmMain* main = LoadMain();
  m = Open(main);
  DragRows(m, 2, 5);
  messages.answer = MessageAnswer::Yes;
  Click(m, "cmdDelete");
  EXPECT_EQ(home.StoreBytes(), Reminders(4));
  EXPECT_EQ(messages.shown.at(0).buttons, MessageButtons::YesNo);
  Settle();
  EXPECT_TRUE(m.isNull());
  EXPECT_EQ(Control<QLabel>(main, "lblNoOfReminders")->text(), "[4]");
}

TEST_F(ManagerTest, DeleteChangesNothingWhenAnsweredNoOrWhenTheStoreChangedSinceTheListWasRead) {
  home.WriteStore(Reminders(3));
  frmManager* m = Open();
  DragRows(m, 2, 2);
  messages.answer = MessageAnswer::No;
  Click(m, "cmdDelete");
  EXPECT_EQ(home.StoreBytes(), Reminders(3));
  const std::string changed = Due(u"new first", t0 + 5h) + Reminders(3);  // another program wrote
  home.WriteStore(changed);
  messages.answer = MessageAnswer::Yes;
  Click(m, "cmdDelete");
  EXPECT_EQ(home.StoreBytes(), changed);
  ASSERT_EQ(messages.shown.size(), 3u);
  EXPECT_TRUE(messages.shown[2].text.contains("changed meanwhile"));
  EXPECT_TRUE(m->isVisible());
}

TEST_F(ManagerTest, UnreadableStoreShowsTheFailureAndAnEmptyList) {
  std::filesystem::remove_all(home.root() / "db");
  frmManager* m = Open();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.startsWith("No such file or directory: "));
  EXPECT_EQ(m->grid()->Rows(), 2);
}

TEST_F(ManagerTest, OnlyALeftClickOnTheSurfaceShowsTheLegendWhichClosesWithTheManager) {
  frmManager* m = Open();
  auto legend = [] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* l = qobject_cast<frmLegend*>(w); l && l->isVisible()) return QPointer<frmLegend>(l);
    return QPointer<frmLegend>();
  };
  auto* frame = Control<QGroupBox>(m, "fraReminder");
  const QPoint inFrame(frame->width() / 2, (m->grid()->geometry().bottom() + frame->height()) / 2);
  ASSERT_EQ(m->childAt(frame->mapTo(m, inFrame)), frame);
  QTest::mouseClick(frame, Qt::LeftButton, {}, inFrame);
  const QRect del = Control(m, "cmdDelete")->geometry(), close = Control(m, "cmdCancel")->geometry();
  const QPoint between((del.right() + close.left()) / 2, del.center().y());
  ASSERT_EQ(m->childAt(between), nullptr);
  QTest::mouseClick(m, Qt::RightButton, {}, between);
  EXPECT_FALSE(legend());
  QTest::mouseClick(m, Qt::LeftButton, {}, between);
  QPointer<frmLegend> shown = legend();
  ASSERT_TRUE(shown);
  m->close();
  Settle();
  EXPECT_TRUE(shown.isNull() || !shown->isVisible());
}

TEST_F(ManagerTest, NarrowerWindowMovesCloseManagerWithTheRightEdge) {
  frmManager* m = Open();
  QWidget* close = Control(m, "cmdCancel");
  const int closeLeft = close->x(), editLeft = Control(m, "cmdEdit")->x();
  m->resize(m->width() - 60, m->height());
  EXPECT_EQ(close->x(), closeLeft - 60);
  EXPECT_EQ(Control(m, "cmdEdit")->x(), editLeft);
}

}  // namespace
