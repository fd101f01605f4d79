#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>

#include "store/ReminderRecord.h"

// A read-only look at one record as the store holds it, for readers that need a field
// or two of many records without decoding them. Each field is its stored code-page
// bytes without leading and trailing spaces, as the store trims every text it reads.
// The view borrows the bytes: it lives no longer than the scan or copy that made it.
class RecordView {
 public:
  explicit RecordView(const char* bytes) : bytes_(bytes) {}

  std::string_view about() const { return Field(kAboutOffset, ReminderRecord::kAboutWidth); }
  std::string_view date() const { return Field(kDateOffset, ReminderRecord::kDateWidth); }
  std::string_view time() const { return Field(kTimeOffset, ReminderRecord::kTimeWidth); }
  std::string_view task() const { return Field(kTaskOffset, ReminderRecord::kTaskWidth); }
  // The Date field as stored, padding and all.
  std::string_view dateField() const { return std::string_view(bytes_ + kDateOffset, ReminderRecord::kDateWidth); }

  // The whole record, each field decoded and padded to its width.
  ReminderRecord Decode() const { return DecodeRecord(bytes_); }

 private:
  std::string_view Field(std::size_t offset, std::size_t width) const {
    return TrimSpaces(std::string_view(bytes_ + offset, width));
  }
  const char* bytes_;
};

// Whole records in a row, as a scan or a copy of the store holds them.
class RecordSpan {
 public:
  RecordSpan() = default;
  RecordSpan(const char* bytes, std::size_t count) : bytes_(bytes), count_(count) {}

  std::size_t size() const { return count_; }
  bool empty() const { return count_ == 0; }
  // Record `index`, counted from 0.
  RecordView operator[](std::size_t index) const { return RecordView(bytes_ + index * kRecordSize); }

  class iterator {
   public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = RecordView;
    using difference_type = std::ptrdiff_t;
    iterator() = default;
    explicit iterator(const char* at) : at_(at) {}
    RecordView operator*() const { return RecordView(at_); }
    iterator& operator++() {
      at_ += kRecordSize;
      return *this;
    }
    iterator operator++(int) {
      iterator was = *this;
      ++*this;
      return was;
    }
    bool operator==(const iterator&) const = default;

   private:
    const char* at_ = nullptr;
  };
  iterator begin() const { return iterator(bytes_); }
  iterator end() const { return iterator(bytes_ + count_ * kRecordSize); }

 private:
  const char* bytes_ = nullptr;
  std::size_t count_ = 0;
};
