#include <gtest/gtest.h>

#include "shell/ScreenPlace.h"
#include "shell/SplashTick.h"
#include "shell/VersionCaption.h"

namespace {

struct CaptionCase {
  std::int16_t major, minor, revision;
  const char* text;
};

class VersionCaptionTest : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(VersionCaptionTest, JoinsThePlainNumbers) {
  EXPECT_EQ(VersionCaption(GetParam().major, GetParam().minor, GetParam().revision), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Numbers, VersionCaptionTest,
                         ::testing::Values(CaptionCase{1, 0, 2, "Version 1.0.2"},
                                           CaptionCase{10, 12, 345, "Version 10.12.345"},
                                           CaptionCase{0, 0, 0, "Version 0.0.0"},
                                           CaptionCase{32767, 1000, 9999, "Version 32767.1000.9999"}));

TEST(SplashTick, FromOneClosesOnTheSecondTick) {
  SplashTickResult first = SplashTick("1");
  EXPECT_EQ(first.count, "2");
  EXPECT_FALSE(first.close);
  SplashTickResult second = SplashTick(first.count);
  EXPECT_EQ(second.count, "3");
  EXPECT_TRUE(second.close);
}

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
                         ::testing::Values(TickCase{"0", "1", false}, TickCase{"3", "4", true},
                                           TickCase{"41", "42", true}, TickCase{" 2", "3", true},
                                           TickCase{"", "1", false}, TickCase{"x", "1", false},
                                           TickCase{"-5", "-4", false},
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
    ::testing::Values(PlaceCase{{637, 653}, 99, 27, {0, 0, 1280, 1024}, {637, 653}},   // fits: unchanged
                      PlaceCase{{637, 653}, 99, 57, {0, 0, 1366, 728}, {637, 653}},    // just fits
                      PlaceCase{{637, 653}, 99, 57, {0, 0, 800, 600}, {637, 543}},     // too low
                      PlaceCase{{637, 653}, 200, 27, {0, 0, 800, 600}, {600, 573}},    // too far right, too low
                      PlaceCase{{637, 653}, 99, 27, {0, 30, 640, 480}, {541, 483}},    // panel on top
                      PlaceCase{{637, 653}, 900, 700, {0, 0, 800, 600}, {0, 0}},       // larger than the screen
                      PlaceCase{{10, 10}, 99, 27, {100, 50, 800, 600}, {100, 50}}));   // left of a second screen

}  // namespace
