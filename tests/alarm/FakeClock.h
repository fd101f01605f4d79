#pragma once

#include "platform/Clock.h"

class FakeClock final : public Clock {
 public:
  explicit FakeClock(std::chrono::local_seconds start) : now(start) {}
  std::chrono::local_seconds Now() const override { return now; }
  std::chrono::local_seconds now;
};

inline std::chrono::local_seconds At(int y, unsigned m, unsigned d, int hh, int mm, int ss) {
  using namespace std::chrono;
  return local_days{year{y} / month{m} / day{d}} + hours{hh} + minutes{mm} + seconds{ss};
}
