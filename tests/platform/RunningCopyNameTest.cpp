#include "platform/RunningCopyName.h"

#include <gtest/gtest.h>

#include <array>

// Two starts (user, platform, display each), and whether they are the same copy.
using TwoStarts = std::tuple<std::array<const char*, 3>, std::array<const char*, 3>, bool>;

class RunningCopyNameTest : public ::testing::TestWithParam<TwoStarts> {};

// Two starts meet only on the same user and display, however the display is spelled,
// and the name is usable as a socket name.
TEST_P(RunningCopyNameTest, MeetsOnlyOnTheSameUserAndDisplay) {
  const auto& [a, b, same] = GetParam();
  const std::string first = RunningCopyName(a[0], a[1], a[2]), second = RunningCopyName(b[0], b[1], b[2]);
  EXPECT_EQ(first == second, same) << first << " / " << second;
  EXPECT_EQ((first + second).find_first_of(std::string("/\\:\0", 4)), std::string::npos) << first << second;
}

INSTANTIATE_TEST_SUITE_P(Displays, RunningCopyNameTest,
                         ::testing::Values(TwoStarts{{"1000", "xcb", ":0"}, {"1000", "xcb", "unix:0.1"}, true},
                                           TwoStarts{{"1000", "xcb", ":0"}, {"1001", "xcb", ":0"}, false},
                                           TwoStarts{{"1000", "xcb", "/tmp/launch-a/org.x:0"},
                                                     {"1000", "xcb", "_tmp_launch-a_org.x:0"},
                                                     false},
                                           TwoStarts{{"a-b", "xcb", ":0"}, {"a", "b-xcb", ":0"}, false}));
