#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "os/DateTimeForms.h"
#include "store/DateKey.h"
#include "store/RecordView.h"
#include "store/TextFold.h"

// The texts of a span of seconds as the store holds them, folded for comparison: the
// date text of each of its days and the time text of each of its times of day, and
// where older installations wrote other forms (DateTimeForms::OldDateText), the old
// text of each day and of each minute that starts in the span. A span
// that grows at its end forms only the texts of its new seconds, and never more than a
// day's time texts: a span left open while the store fails costs what a good tick does.
class CoveredTexts {
 public:
  // Makes these the texts of the seconds from `from` to `to`.
  void Cover(std::chrono::local_seconds from, std::chrono::local_seconds to, const DateTimeForms& forms);
  void Clear();

  // The covered day whose date text a record's Date field holds, or none, and the
  // covered second of that day whose time text its Time field holds (trimmed stored
  // bytes). Inline and without copies: the check asks for the day of every record.
  const std::chrono::local_days* DayOf(RecordView record) const {
    for (const auto& [text, day] : dates_)
      if (text.Matches(record)) return &day;
    return nullptr;
  }
  std::optional<std::chrono::local_seconds> SecondOf(std::chrono::local_days day, std::string_view time) const {
    auto tod = times_.find(fold_.Folded(time));
    if (tod == times_.end()) return std::nullopt;
    const std::chrono::local_seconds second = day + tod->second;
    if (second < *from_ || second > to_) return std::nullopt;
    return second;
  }

 private:
  const ByteFold& fold_ = ByteFold::ForCodePage();
  std::optional<std::chrono::local_seconds> from_;
  std::chrono::local_seconds to_{};
  std::vector<std::pair<DateKey, std::chrono::local_days>> dates_;
  std::unordered_map<std::string, std::chrono::seconds> times_;
};
