#pragma once

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "store/RecordView.h"
#include "store/TextFold.h"

// A date text in the store's byte form, compared with the Date of a record the way
// ByteFold::Equal compares it with the trimmed field. The check and the count ask this
// of every record: a caseless date that the store wrote (from the field's first byte,
// padded with spaces) is told by one comparison of the whole field.
class DateKey {
 public:
  explicit DateKey(std::string bytes, const ByteFold& fold = ByteFold::ForCodePage())
      : fold_(&fold), bytes_(std::move(bytes)), caseless_(fold.Caseless(bytes_)) {
    padded_.fill(' ');
    fits_ = caseless_ && !bytes_.empty() && bytes_.size() <= padded_.size() && bytes_.front() != ' ';
    if (fits_) std::copy(bytes_.begin(), bytes_.end(), padded_.begin());
  }

  bool Matches(RecordView record) const {
    // A field without leading spaces holds the text exactly when it holds it padded.
    if (const char* field = record.dateField().data(); fits_ && *field != ' ')
      return std::memcmp(field, padded_.data(), padded_.size()) == 0;
    return MatchesTrimmed(record.date());
  }
  const std::string& bytes() const { return bytes_; }

 private:
  // Out of line, so that the common case above stays small enough to inline.
  [[gnu::noinline]] bool MatchesTrimmed(std::string_view date) const {
    return caseless_ ? date == bytes_ : fold_->Equal(date, bytes_);
  }
  const ByteFold* fold_;
  std::string bytes_;
  bool caseless_;
  bool fits_ = false;
  std::array<char, ReminderRecord::kDateWidth> padded_;
};
