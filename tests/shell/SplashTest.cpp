#include <gtest/gtest.h>

#include "shell/DocumentationFolder.h"
#include "shell/ScreenPlace.h"
#include "shell/SplashTick.h"

namespace {

// The count on the timer, the count after the tick, whether the splash closes.
class SplashTickTest : public ::testing::TestWithParam<std::tuple<const char*, const char*, bool>> {};

TEST_P(SplashTickTest, AddsOneAndClosesFromThree) {
  const SplashTickResult r = SplashTick(std::get<0>(GetParam()));
  EXPECT_EQ(std::tie(r.count, r.close), std::tuple(std::string(std::get<1>(GetParam())), std::get<2>(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Counts, SplashTickTest,
                         ::testing::Values(std::tuple("1", "2", false), std::tuple(" 2", "3", true),
                                           std::tuple("x", "1", false),
                                           std::tuple("99999999999999999999", "9223372036854775807", true)));

// Where the window is wanted, its width and height, the screen area: where it goes.
class KeepInsideTest : public ::testing::TestWithParam<std::tuple<ScreenPoint, int, int, ScreenArea, ScreenPoint>> {};

TEST_P(KeepInsideTest, MovesOnlyWhatWouldNotFit) {
  const auto& [wanted, width, height, area, place] = GetParam();
  EXPECT_EQ(KeepInside(wanted, width, height, area), place);
}

INSTANTIATE_TEST_SUITE_P(Screens, KeepInsideTest,
                         ::testing::Values(std::tuple(ScreenPoint{637, 653}, 99, 57, ScreenArea{0, 0, 1366, 728},
                                                      ScreenPoint{637, 653}),  // just fits
                                           std::tuple(ScreenPoint{637, 653}, 200, 27, ScreenArea{0, 30, 800, 600},
                                                      ScreenPoint{600, 603}),  // right, low, panel on top
                                           std::tuple(ScreenPoint{637, 653}, 900, 700, ScreenArea{0, 0, 800, 600},
                                                      ScreenPoint{0, 0}),  // larger than the screen
                                           std::tuple(ScreenPoint{10, 10}, 99, 27, ScreenArea{100, 50, 800, 600},
                                                      ScreenPoint{100, 50})));  // on a second screen

#ifndef _WIN32  // the Linux layout; on Windows the documentation is below the programs' folder
TEST(DocumentationFolderTest, IsShareDocReminderOfTheProgramsPrefix) {
  EXPECT_EQ(DocumentationFolder("/usr/bin"), std::filesystem::path("/usr/share/doc/reminder"));
  EXPECT_EQ(DocumentationFolder("/home/ann/.local/bin/"), std::filesystem::path("/home/ann/.local/share/doc/reminder"));
}
#endif

}  // namespace
