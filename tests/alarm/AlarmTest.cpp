#include "shell/WidgetFixture.h"

namespace {

// A store only its owner can write, so that tasks may start.
struct TaskWindowTest : WidgetFixture {
  void SetUp() override {
    home.WriteStore("");
    std::filesystem::permissions(home.store(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
  }
};

// A reminder without a task leaves the window open; every later announced task still
// starts, trimmed, once, and the window stays one.
TEST_F(TaskWindowTest, EachAnnouncedTaskStartsOnceAlsoWhileTheWindowIsOpen) {
  QPointer<frmTask> window = app.alarm.ShowTask("  ");
  for (const char* target : {"  /bin/first ", "/bin/second"}) EXPECT_EQ(app.alarm.ShowTask(target), window);
  EXPECT_EQ(launcher.opened, (std::vector<QString>{"/bin/first", "/bin/second"}));
  Click(window, "cmdClose");
  Settle();
  EXPECT_FALSE(window);
}

TEST_F(TaskWindowTest, AFailedOrRefusedStartIsReportedAndTheWindowGoesAtOnce) {
  launcher.failure = "No such file or directory: /gone";
  app.alarm.ShowTask("");  // left open by a reminder without a task
  app.alarm.ShowTask("/gone");
  EXPECT_FALSE(app.alarm.task());  // at once, not when the event loop next turns
  EXPECT_EQ(launcher.opened, std::vector<QString>{"/gone"});
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, "No such file or directory: /gone");
  launcher.failure.reset();
  EXPECT_TRUE(app.alarm.ShowTask("/bin/next"));  // the next task starts all the same
#ifndef _WIN32  // Windows refuses nothing: the user's own folders keep others out
  std::filesystem::permissions(home.store(), std::filesystem::perms::others_write, std::filesystem::perm_options::add);
  app.alarm.ShowTask("/bin/anything");
  EXPECT_FALSE(app.alarm.task());
  EXPECT_EQ(launcher.opened.size(), 2u);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_TRUE(messages.shown[1].text.contains(QString::fromStdString(home.store().native())));  // why
#endif
}

}  // namespace
