#pragma once

#include "os/Clock.h"

struct FakeClock final : Clock {
  explicit FakeClock(std::chrono::local_seconds start) : now(start) {}
  std::chrono::local_seconds Now() const override { return now; }
  std::chrono::local_seconds now;
};

inline std::chrono::local_seconds At(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
  return std::chrono::local_days{std::chrono::year{y} / m / d} + std::chrono::seconds{hh * 3600 + mm * 60 + ss};
}
