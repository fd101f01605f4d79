#pragma once

#include <cstddef>
#include <memory>

#include "store/RecordView.h"

// The store's whole records as one read found them, for a reader that keeps them to show
// later: a copy, untouched by later changes to the store.
class RecordCopy {
 public:
  RecordSpan records() const { return {bytes_.get(), count_}; }
  std::size_t size() const { return count_; }

 private:
  friend class ReminderStore;
  std::unique_ptr<char[]> bytes_;
  std::size_t count_ = 0;
};
