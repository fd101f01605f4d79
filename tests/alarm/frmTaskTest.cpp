#include "shell/WidgetFixture.h"

namespace {

// A store only its owner can write, so that tasks may start.
struct TaskWindowTest : WidgetFixture {
  void SetUp() override {
    home.WriteStore("");
    ::chmod(home.store().c_str(), 0600);
  }
};

TEST_F(TaskWindowTest, StartsTheTrimmedTargetOnceAndClosesWithItsButton) {
  for (const char* target : {"  ", "  /bin/first "}) {
    ShowTask(app, target, nullptr);
    ShowTask(app, "/bin/second", nullptr);  // an open one only comes forward
    ASSERT_TRUE(app.task);
    Click(app.task, "cmdClose");
    Settle();  // else the next target would only bring it forward
  }
  EXPECT_EQ(launcher.opened, std::vector<QString>{"/bin/first"});
}

TEST_F(TaskWindowTest, AFailedOrRefusedStartIsReportedAndTheWindowGoesAtOnce) {
  launcher.failure = "No such file or directory: /gone";
  ShowTask(app, "/gone", nullptr);
  EXPECT_FALSE(app.task);  // at once, not when the event loop next turns
  ::chmod(home.store().c_str(), 0666);
  ShowTask(app, "/bin/anything", nullptr);
  EXPECT_FALSE(app.task);
  EXPECT_EQ(launcher.opened, std::vector<QString>{"/gone"});
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0].text, "No such file or directory: /gone");
  EXPECT_TRUE(messages.shown[1].text.contains("can be written by other users"));
}

}  // namespace
