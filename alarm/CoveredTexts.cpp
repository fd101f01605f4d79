#include "alarm/CoveredTexts.h"

#include <algorithm>

#include "os/Clock.h"
#include "os/CodePage.h"
#include "os/Trim.h"
#include "store/TextFold.h"

using namespace std::chrono;

namespace {

// The stored byte form of a clock text, folded for comparison.
std::string Key(std::u16string_view text) {
  return ByteFold::ForCodePage().Folded(TrimSpaces(std::string_view(EncodeSingleByte(TrimSpaces(text)))));
}

}  // namespace

void CoveredTexts::Cover(local_seconds from, local_seconds to, const DateTimeForms& forms) {
  if (from_ != from || to < to_) {
    Clear();
    from_ = from;
    to_ = from - seconds{1};
  }
  const local_days firstNewDay = dates_.empty() ? floor<days>(from) : dates_.back().second + days{1};
  for (local_days d = firstNewDay; d <= floor<days>(to); d += days{1}) {
    dates_.emplace_back(DateKey(Key(forms.DateText(year_month_day{d}))), d);
    if (const std::optional<std::u16string> old = forms.OldDateText(year_month_day{d}))
      dates_.emplace_back(DateKey(Key(*old)), d);
  }
  // A day holds every time of day: a longer span needs no more time texts.
  if (to_ - from < days{1} - seconds{1}) {
    for (local_seconds t = std::max(to_ + seconds{1}, to - days{1} + seconds{1}); t <= to; ++t) {
      const seconds timeOfDay = TimeOfDayOf(t);
      times_.emplace(Key(forms.TimeText(timeOfDay)), timeOfDay);
      // An old time names a minute: it is due at the minute's first second alone.
      if (timeOfDay.count() % 60 == 0)
        if (const std::optional<std::u16string> old = forms.OldTimeText(timeOfDay))
          times_.emplace(Key(*old), timeOfDay);
    }
  }
  to_ = to;
}

void CoveredTexts::Clear() {
  from_.reset();
  dates_.clear();
  times_.clear();
}
