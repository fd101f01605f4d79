#include <QLabel>
#include <QLineEdit>

#include "entry/frmEdit.h"
#include "manager/FlexGrid.h"
#include "manager/frmLegend.h"
#include "manager/frmManager.h"
#include "os/OsError.h"
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
  // Presses on one row, moves with the button held and releases on another.
  static void DragRows(frmManager* m, int from, int to) {
    const auto centre = [grid = m->grid()](int row) { return grid->visualRect(grid->model()->index(row, 0)).center(); };
    QTest::mousePress(m->grid()->viewport(), Qt::LeftButton, {}, centre(from));
    QTest::mouseMove(m->grid()->viewport(), centre(to));
    QTest::mouseRelease(m->grid()->viewport(), Qt::LeftButton, {}, centre(to));
  }
};

TEST_F(ManagerTest, OnlyTheTaskCellCarriesTheRowsMarking) {
  home.WriteStore(Due(u"expired", t0 - 1h) + Due(u"later today", t0 + 1h) + Due(u"tomorrow", t0 + 24h) +
                  Due(u"due now", t0));
  FlexGrid* grid = ShowManager(app, nullptr)->grid();
  auto describe = [grid](int row, int col) {
    const FlexGrid::CellLook look = grid->LookOf(row, col);
    return QString("%1%2%3").arg(look.strikeThrough.value_or(false) ? "struck " : "",
                                 look.bold.value_or(false) ? "bold " : "",
                                 look.foreColor ? look.foreColor->name() : "");
  };
  const QStringList expected = {"struck #000000", "bold #000000", "#0000ff", ""};
  for (int row = 1; row <= 4; ++row)
    EXPECT_EQ(describe(row, 3) + "|" + describe(row, 0), expected[row - 1] + "|") << row;
}

// Edit follows the row where the selection began, Delete the row where it ends; the
// empty trailing row enables neither. A press and release on one row is a click.
struct Drag {
  int from, to;
  bool edit, del;
};

class ManagerDragTest : public ManagerTest, public ::testing::WithParamInterface<Drag> {};

TEST_P(ManagerDragTest, EditFollowsWhereTheSelectionBeganAndDeleteWhereItEnds) {
  home.WriteStore(Reminders(3));
  frmManager* m = ShowManager(app, nullptr);
  // It opens on the empty trailing row.
  EXPECT_FALSE(Control(m, "cmdEdit")->isEnabled() || Control(m, "cmdDelete")->isEnabled());
  DragRows(m, GetParam().from, GetParam().to);
  EXPECT_EQ(Control(m, "cmdEdit")->isEnabled(), GetParam().edit);
  EXPECT_EQ(Control(m, "cmdDelete")->isEnabled(), GetParam().del);
}

INSTANTIATE_TEST_SUITE_P(Rows, ManagerDragTest,
                         ::testing::Values(Drag{2, 2, true, true}, Drag{4, 4, false, false}, Drag{1, 3, true, true},
                                           Drag{4, 2, false, true}, Drag{2, 4, true, false}));

TEST_F(ManagerTest, DragDeletesWhereTheSelectionEndsButEditsWhereItBegan) {
  home.WriteStore(Reminders(5));
  frmMain* main = LoadMain();
  QPointer<frmManager> m = ShowManager(app, main);
  DragRows(m, 2, 5);
  messages.answer = MessageAnswer::Yes;
  Click(m, "cmdDelete");
  EXPECT_EQ(home.StoreBytes(), Reminders(4));
  Settle();
  EXPECT_TRUE(m.isNull());
  EXPECT_EQ(Control<QLabel>(main, "lblNoOfReminders")->text(), "[4]");
  DragRows(m = ShowManager(app, main), 2, 5);  // now ends on the empty trailing row
  Click(m, "cmdEdit");
  ASSERT_TRUE(app.edit);
  EXPECT_EQ(Control<QLineEdit>(app.edit, "txtAbout")->text(), "r2");
}

TEST_F(ManagerTest, DeleteChangesNothingWhenAnsweredNoOrWhenTheStoreChangedSinceTheListWasRead) {
  home.WriteStore(Reminders(3));
  frmManager* m = ShowManager(app, nullptr);
  DragRows(m, 2, 2);
  messages.answer = MessageAnswer::No;
  Click(m, "cmdDelete");
  EXPECT_EQ(home.StoreBytes(), Reminders(3));
  const std::string changed = Due(u"new first", t0 + 5h) + Reminders(3);  // another program wrote
  home.WriteStore(changed);
  messages.answer = MessageAnswer::Yes;
  Click(m, "cmdDelete");
  EXPECT_EQ(home.StoreBytes(), changed);
  EXPECT_TRUE(messages.shown.at(2).text.endsWith(QString::fromStdString(PathText(home.store()))));  // why
  EXPECT_TRUE(m->isVisible());
}

TEST_F(ManagerTest, OnlyALeftClickOnTheSurfaceShowsTheLegendWhichClosesWithTheManager) {
  frmManager* m = ShowManager(app, nullptr);
  auto shown = [] {
    return std::ranges::count_if(QApplication::topLevelWidgets(),
                                 [](QWidget* w) { return qobject_cast<frmLegend*>(w) && w->isVisible(); });
  };
  QWidget* frame = Control(m, "fraReminder");  // passes its clicks on: not the surface
  QTest::mouseClick(frame, Qt::LeftButton, {},
                    QPoint(frame->width() / 2, (m->grid()->geometry().bottom() + frame->height()) / 2));
  const QRect del = Control(m, "cmdDelete")->geometry(), close = Control(m, "cmdCancel")->geometry();
  const QPoint between((del.right() + close.left()) / 2, del.center().y());
  QTest::mouseClick(m, Qt::RightButton, {}, between);
  EXPECT_EQ(shown(), 0);
  QTest::mouseClick(m, Qt::LeftButton, {}, between);
  EXPECT_EQ(shown(), 1);
  m->close();
  EXPECT_EQ(shown(), 0);
}

}  // namespace
