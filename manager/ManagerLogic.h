#pragma once

#include <array>
#include <chrono>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "os/DateTimeForms.h"
#include "store/RecordCopy.h"
#include "store/ReminderStore.h"
#include "store/Status.h"

// What the manager window shows of each reminder, worked out without a window.

enum class ReminderState { Expired, Today, Future, DueNow };

// Expired: an earlier day, or today before now. Today: today after now. Future: a later
// day. DueNow: today at the current second.
ReminderState ClassifyReminder(std::chrono::year_month_day date, std::chrono::seconds time,
                               std::chrono::year_month_day today, std::chrono::seconds now);

// Where the manager's controls go for an outer window size, all in twips. Sizes of a
// window dragged very small stay at zero rather than going negative.
struct ManagerGeometry {
  int frameWidth = 0;
  int frameHeight = 0;
  int buttonTop = 0;
  int cancelLeft = 0;
  int gridWidth = 0;
  int gridHeight = 0;
  bool operator==(const ManagerGeometry&) const = default;
};
ManagerGeometry ManagerLayout(int outerWidth, int outerHeight);

// One row of the list: the record's four trimmed texts, and its state. A row whose date
// or time text does not read back (garbled, or an old time that names two moments of a
// day) is never announced, so it shows as expired.
struct ManagerRow {
  ShownTexts texts;
  ReminderState state = ReminderState::Expired;
};

// The store's records as the manager lists them: read in one go, decoded only when a
// row is shown. Dates and times read back once per distinct text.
class ReminderList {
 public:
  Status Load(const ReminderStore& store);
  int size() const { return static_cast<int>(records_.size()); }
  // Record `number` (from 1) as a row, classified against today and now.
  ManagerRow Row(int number, const DateTimeForms& forms, std::chrono::year_month_day today,
                 std::chrono::seconds now) const;
  // Which of the rows that show the same texts row `number` is, counted from 1.
  int Occurrence(int number) const { return ShownOccurrence(records_.records(), number); }

 private:
  RecordCopy records_;
  mutable std::unordered_map<std::u16string, std::optional<std::chrono::year_month_day>> dates_;
  mutable std::unordered_map<std::u16string, std::optional<std::chrono::seconds>> times_;
};
