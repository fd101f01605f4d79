#include <QPushButton>
#include <QTest>

#include "shell/WidgetFixture.h"

namespace {

class TaskWindowTest : public WidgetFixture {
 protected:
  void SetUp() override { home.WriteStore(""); ::chmod(home.store().c_str(), 0600); }
};

TEST_F(TaskWindowTest, EmptyTargetShowsTheWindowAndStartsNothing) {
  ShowTask(app, "", nullptr);
  ASSERT_TRUE(app.task);
  EXPECT_TRUE(app.task->isVisible());
  EXPECT_TRUE(launcher.opened.empty());
  EXPECT_EQ(app.task->findChild<QPushButton*>("cmdClose")->text(), "&Close");
  EXPECT_EQ(app.task->size(), QSize(80, 38));
  QTest::mouseClick(app.task->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(app.task);
}

TEST_F(TaskWindowTest, SecondShowOnlyBringsItForward) {
  ShowTask(app, "  /bin/first ", nullptr);
  ShowTask(app, "/bin/second", nullptr);
  EXPECT_EQ(launcher.opened, std::vector<QString>{"/bin/first"});
}

TEST_F(TaskWindowTest, FailedStartIsReportedAndTheWindowCloses) {
  launcher.failure = "No such file or directory: /gone";
  ShowTask(app, "/gone", nullptr);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "No such file or directory: /gone");
  EXPECT_EQ(messages.shown[0].title, "Reminder");
  EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
  EXPECT_FALSE(app.task);  // at once, not when the event loop next turns
}

TEST_F(TaskWindowTest, StoreThatOthersCanWriteStartsNoTask) {
  ::chmod(home.store().c_str(), 0666);
  ShowTask(app, "/bin/anything", nullptr);
  EXPECT_TRUE(launcher.opened.empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_TRUE(messages.shown[0].text.contains("can be written by other users"));
}

}  // namespace
