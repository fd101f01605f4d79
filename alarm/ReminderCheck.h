#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "alarm/CoveredTexts.h"
#include "os/Clock.h"
#include "os/DateTimeForms.h"
#include "store/ReminderStore.h"

// A reminder whose second has come, as the check hands it to the window.
struct DueReminder {
  std::chrono::local_seconds second;
  int number = 0;
  std::u16string about;  // trimmed
  std::u16string task;   // trimmed; empty when the reminder has no task
};

// What the main window does with the check's findings. Both calls may wait for the
// user (modal boxes); the check does not run again meanwhile.
class ReminderAnnouncer {
 public:
  virtual ~ReminderAnnouncer() = default;
  virtual void Announce(const DueReminder& reminder) = 0;
  virtual void ReportFailure(const std::string& text) = 0;
};

// The once-a-second check. It remembers the last second it covered, starting with the
// second before it was made, so the second the main window loaded is covered. Each tick
// covers every later second up to now, in order: no reminder due while it runs is lost
// or announced twice, however long a box stays open. A clock set back restarts coverage
// at the current second.
class ReminderCheck {
 public:
  // `coveredUntil`: the last second an earlier check of this run covered, so that a main
  // window reloaded within that second does not announce its reminders again.
  ReminderCheck(const ReminderStore& store, const Clock& clock, const DateTimeForms& forms = DateTimeForms::User(),
                std::optional<std::chrono::local_seconds> coveredUntil = std::nullopt);

  // Reads the store, closes it, then announces what is due, in order of second and
  // then of file position. A tick that comes while an earlier tick's boxes are open
  // does nothing; the next tick after them covers the seconds that passed meanwhile.
  void Tick(ReminderAnnouncer& announcer);

  // The last second covered, or the second before a restart after the clock was set back.
  std::chrono::local_seconds lastCovered() const { return lastCovered_; }

 private:
  const ReminderStore& store_;
  const Clock& clock_;
  const DateTimeForms& forms_;
  std::chrono::local_seconds lastCovered_;
  CoveredTexts texts_;
  std::optional<std::string> reportedFailure_;
  bool busy_ = false;
};
