#pragma once

#include <chrono>

// The wall clock as the user sees it: local date and time, to the second.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::chrono::local_seconds Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  std::chrono::local_seconds Now() const override;
  static SystemClock& Instance();
};

// Splits a local moment into its date and its time of day.
inline std::chrono::year_month_day DateOf(std::chrono::local_seconds t) {
  return std::chrono::year_month_day{std::chrono::floor<std::chrono::days>(t)};
}
inline std::chrono::seconds TimeOfDayOf(std::chrono::local_seconds t) {
  return t - std::chrono::floor<std::chrono::days>(t);
}
inline std::chrono::local_seconds MomentOf(std::chrono::year_month_day date, std::chrono::seconds timeOfDay) {
  return std::chrono::local_days{date} + timeOfDay;
}
