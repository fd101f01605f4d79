#include <QWindow>

#include "entry/EntryFixture.h"

using namespace std::chrono_literals;

namespace {

class MainWindowEntryTest : public EntryFixture {};

TEST_F(MainWindowEntryTest, GoOpensOneNewReminderDialogOwnedByTheMainWindow) {
  frmMain* main = LoadMain();
  auto* go = Control<QPushButton>(main, "cmdSetNew");
  EXPECT_TRUE(go->isEnabled());
  EXPECT_EQ(go->text(), "&Go...");
  EXPECT_EQ(go->toolTip(), "Click to set new reminder dialog box");
  QTest::mouseClick(go, Qt::LeftButton);
  ASSERT_TRUE(app.setNew);
  EXPECT_TRUE(app.setNew->isVisible());
  EXPECT_EQ(app.setNew->parentWidget(), nullptr);
  ASSERT_NE(app.setNew->windowHandle(), nullptr);
  EXPECT_EQ(app.setNew->windowHandle()->transientParent(), main->windowHandle());
  QPointer<frmSetNewReminder> first = app.setNew;
  QTest::mouseClick(go, Qt::LeftButton);
  EXPECT_EQ(app.setNew, first);
}

TEST_F(MainWindowEntryTest, QuickReminderLabelOpensTheQuickDialogByMouseAndKeyboard) {
  frmMain* main = LoadMain();
  auto* label = Control<QLabel>(main, "Label4");
  EXPECT_TRUE(label->isEnabled());
  EXPECT_EQ(label->text(), "3. Quick Reminder");
  EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(label, Qt::LeftButton);
  ASSERT_TRUE(app.quickAdd);
  EXPECT_EQ(app.quickAdd->windowHandle()->transientParent(), main->windowHandle());
  app.quickAdd->close();
  Settle();
  EXPECT_FALSE(app.quickAdd);
  QTest::keyClick(label, Qt::Key_Space);
  EXPECT_TRUE(app.quickAdd);
}

TEST_F(MainWindowEntryTest, ExitClosesTheNewReminderDialogButNotTheQuickDialog) {
  QPointer<frmMain> main = LoadMain();
  QTest::mouseClick(Control(main, "cmdSetNew"), Qt::LeftButton);
  QTest::mouseClick(Control(main, "Label4"), Qt::LeftButton);
  QPointer<frmSetNewReminder> entry = app.setNew;
  QPointer<frmQuickAdd> quick = app.quickAdd;
  QTest::mouseClick(Control(main, "cmdExit"), Qt::LeftButton);
  Settle();
  EXPECT_TRUE(main.isNull());
  EXPECT_TRUE(entry.isNull());
  ASSERT_FALSE(quick.isNull());
  EXPECT_TRUE(quick->isVisible());
  // Without the main window, a quick reminder is still stored.
  clock.now = At(2026, 12, 6, 10, 15, 40);
  QTest::keyClicks(Control<QLineEdit>(quick, "txtAbout"), "later");
  QTest::keyClicks(Control<QLineEdit>(quick, "txtMin"), "5");
  QTest::mouseClick(Control(quick, "cmdOK"), Qt::LeftButton);
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"later", u"12/06/2026", u"10:20:00"));
}

TEST_F(MainWindowEntryTest, CountFollowsEverySaveWithoutReopening) {
  home.WriteStore(Due(u"earlier", t0 - 1h));
  frmMain* main = LoadMain();
  auto* count = Control<QLabel>(main, "lblNoOfReminders");
  EXPECT_EQ(count->text(), "[1]");
  for (const char* expected : {"[2]", "[3]"}) {
    QTest::mouseClick(Control(main, "cmdSetNew"), Qt::LeftButton);
    Fill(app.setNew, "today", "23", "0", "0");
    Click(app.setNew, "cmdSetReminder");
    Settle();
    EXPECT_EQ(count->text(), expected);
  }
  // A reminder for another day does not count today.
  QTest::mouseClick(Control(main, "cmdSetNew"), Qt::LeftButton);
  PickDate(app.setNew, DateOf(t0 + 24h));
  Fill(app.setNew, "tomorrow", "9", "0", "0");
  Click(app.setNew, "cmdSetReminder");
  EXPECT_EQ(count->text(), "[3]");
  EXPECT_EQ(home.StoreBytes().size(), 4 * 356u);
}

}  // namespace
