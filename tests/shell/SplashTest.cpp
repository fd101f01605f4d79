#include <gtest/gtest.h>

#include "shell/DocumentationFolder.h"
#include "shell/ScreenPlace.h"
#include "shell/SplashTick.h"

namespace {

struct TickCase {
  const char* count;
  const char* next;
  bool close;
};

class SplashTickTest : public ::testing::TestWithParam<TickCase> {};

TEST_P(SplashTickTest, AddsOneAndClosesFromThree) {
  SplashTickResult r = SplashTick(GetParam().count);
  EXPECT_EQ(r.count, GetParam().next);
  EXPECT_EQ(r.close, GetParam().close);
}

INSTANTIATE_TEST_SUITE_P(Counts, SplashTickTest,
                         ::testing::Values(TickCase{"1", "2", false}, TickCase{"2", "3", true},
                                           TickCase{"41", "42", true}, TickCase{" 2", "3", true},
                                           TickCase{"x", "1", false},
                                           TickCase{"99999999999999999999", "9223372036854775807", true}));

struct PlaceCase {
  ScreenPoint wanted;
  int width, height;
  ScreenArea area;
  ScreenPoint place;
};

class KeepInsideTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(KeepInsideTest, MovesOnlyWhatWouldNotFit) {
  const PlaceCase& c = GetParam();
  EXPECT_EQ(KeepInside(c.wanted, c.width, c.height, c.area), c.place);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, KeepInsideTest,
    ::testing::Values(PlaceCase{{637, 653}, 99, 57, {0, 0, 1366, 728}, {637, 653}},    // just fits
                      PlaceCase{{637, 653}, 200, 27, {0, 0, 800, 600}, {600, 573}},    // too far right, too low
                      PlaceCase{{637, 653}, 99, 27, {0, 30, 640, 480}, {541, 483}},    // panel on top
                      PlaceCase{{637, 653}, 900, 700, {0, 0, 800, 600}, {0, 0}},       // larger than the screen
                      PlaceCase{{10, 10}, 99, 27, {100, 50, 800, 600}, {100, 50}}));   // left of a second screen

TEST(DocumentationFolderTest, IsShareDocReminderOfTheProgramsPrefix) {
  EXPECT_EQ(DocumentationFolder("/usr/bin"), std::filesystem::path("/usr/share/doc/reminder"));
  EXPECT_EQ(DocumentationFolder("/home/ann/.local/bin/"), std::filesystem::path("/home/ann/.local/share/doc/reminder"));
}

}  // namespace
