#include <QWindow>

#include "entry/EntryFixture.h"

namespace {

class MainWindowEntryTest : public EntryFixture {};

TEST_F(MainWindowEntryTest, GoAndTheQuickReminderLabelOpenTheirDialogsOwnedByTheMainWindow) {
  frmMain* main = LoadMain();
  Click(main, "cmdSetNew");
  ASSERT_TRUE(app.setNew);
  EXPECT_EQ(app.setNew->windowHandle()->transientParent(), main->windowHandle());
  auto* label = Control<QLabel>(main, "Label4");
  QTest::mouseClick(label, Qt::LeftButton);
  ASSERT_TRUE(app.quickAdd);
  EXPECT_EQ(app.quickAdd->windowHandle()->transientParent(), main->windowHandle());
  app.quickAdd->close();
  Settle();
  QTest::keyClick(label, Qt::Key_Space);
  EXPECT_TRUE(app.quickAdd);
}

TEST_F(MainWindowEntryTest, ExitClosesTheNewReminderDialogButNotTheQuickDialog) {
  QPointer<frmMain> main = LoadMain();
  Click(main, "cmdSetNew");
  QTest::mouseClick(Control(main, "Label4"), Qt::LeftButton);
  QPointer<frmSetNewReminder> entry = app.setNew;
  QPointer<frmQuickAdd> quick = app.quickAdd;
  Click(main, "cmdExit");
  Settle();
  EXPECT_TRUE(main.isNull());
  EXPECT_TRUE(entry.isNull());
  ASSERT_FALSE(quick.isNull());
  EXPECT_TRUE(quick->isVisible());
}

}  // namespace
