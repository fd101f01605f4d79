#include "platform/TaskSafety.h"

#include <gtest/gtest.h>

#include "store/TempHome.h"

// Owners and mode bits are POSIX; on Windows nothing is refused (tests/platform/WindowsTest.cpp).
#ifndef _WIN32
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

TEST(TaskSafety, StoreThatOthersCanWriteRefusesTasks) {
  TempHome home;
  home.WriteStore("");
  ::chmod(home.store().c_str(), 0600);
  ::chmod((home.root() / "db").c_str(), 0700);
  EXPECT_FALSE(TaskRefusal(home.store(), home.root() / "db").has_value());

  ::chmod(home.store().c_str(), 0666);
  auto refusal = TaskRefusal(home.store(), home.root() / "db");
  ASSERT_TRUE(refusal.has_value());
  EXPECT_NE(refusal->find("can be written by other users"), std::string::npos);
  EXPECT_NE(refusal->find(home.store().native()), std::string::npos);

  ::chmod(home.store().c_str(), 0600);
  ::chmod((home.root() / "db").c_str(), 0777);
  EXPECT_TRUE(TaskRefusal(home.store(), home.root() / "db").has_value());
}

TEST(TaskSafety, MissingStoreRefusesWithTheOsText) {
  TempHome home;
  auto refusal = TaskRefusal(home.store(), home.root() / "db");
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(*refusal, "No such file or directory: " + home.store().native());
}

}  // namespace
#endif
