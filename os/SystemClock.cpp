#include <ctime>

#include "os/Clock.h"

SystemClock& SystemClock::Instance() {
  static SystemClock clock;
  return clock;
}

std::chrono::local_seconds SystemClock::Now() const {
  using namespace std::chrono;
  std::time_t now = std::time(nullptr);
  std::tm tm{};
#ifdef _WIN32
  localtime_s(&tm, &now);
#else
  localtime_r(&now, &tm);
#endif
  year_month_day date{year{tm.tm_year + 1900}, month{static_cast<unsigned>(tm.tm_mon + 1)},
                      day{static_cast<unsigned>(tm.tm_mday)}};
  return local_days{date} + hours{tm.tm_hour} + minutes{tm.tm_min} +
         seconds{tm.tm_sec > 59 ? 59 : tm.tm_sec};  // a leap second stays in its minute
}
