#include <gtest/gtest.h>

#include "platform/RunningCopyName.h"

namespace {

struct Start {
  const char* user;
  const char* platform;
  const char* display;
};

struct TwoStarts {
  Start first;
  Start second;
  bool sameCopy;
};

class RunningCopyNameTest : public ::testing::TestWithParam<TwoStarts> {};

std::string NameOf(const Start& start) { return RunningCopyName(start.user, start.platform, start.display); }

TEST_P(RunningCopyNameTest, MeetsOnlyOnTheSameUserAndDisplay) {
  const TwoStarts& starts = GetParam();
  EXPECT_EQ(NameOf(starts.first) == NameOf(starts.second), starts.sameCopy)
      << NameOf(starts.first) << " / " << NameOf(starts.second);
  for (const Start& start : {starts.first, starts.second}) {
    EXPECT_EQ(NameOf(start).find_first_of(std::string("/\\:\0", 4)), std::string::npos) << NameOf(start);
  }
}

INSTANTIATE_TEST_SUITE_P(Displays, RunningCopyNameTest, ::testing::Values(
    TwoStarts{{"1000", "xcb", ":0"}, {"1000", "xcb", ":0.0"}, true},
    TwoStarts{{"1000", "xcb", ":0"}, {"1000", "xcb", "unix:0.1"}, true},
    TwoStarts{{"1000", "xcb", "localhost:10.0"}, {"1000", "xcb", "localhost:10"}, true},
    TwoStarts{{"1000", "xcb", ":0"}, {"1000", "xcb", ":1"}, false},
    TwoStarts{{"1000", "xcb", ":10"}, {"1000", "xcb", "localhost:10"}, false},
    TwoStarts{{"1000", "xcb", ":0"}, {"1001", "xcb", ":0"}, false},
    TwoStarts{{"1000", "xcb", ":0"}, {"1000", "wayland", ":0"}, false},
    TwoStarts{{"1000", "wayland", "wayland-0"}, {"1000", "wayland", "wayland-1"}, false},
    TwoStarts{{"1000", "xcb", "/tmp/launch-a/org.x:0"}, {"1000", "xcb", "_tmp_launch-a_org.x:0"}, false},
    TwoStarts{{"a-b", "xcb", ":0"}, {"a", "b-xcb", ":0"}, false}));

}  // namespace
