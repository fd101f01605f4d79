#pragma once

#include <string>
#include <string_view>

// The splash window's close-down count, kept as decimal text on its timer.
struct SplashTickResult {
  std::string count;   // the count after this tick
  bool close = false;  // true once the count has reached 3
};

// One tick: the count's numeric value plus one, as text. Text that does not begin with
// a number counts as 0, so a damaged count still ends the splash after a few ticks.
SplashTickResult SplashTick(std::string_view count);
