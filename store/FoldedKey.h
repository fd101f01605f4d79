#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "store/TextFold.h"

// A text in the store's byte form, compared with stored fields the way ByteFold::Equal
// does, with one plain comparison when the text is caseless.
class FoldedKey {
 public:
  explicit FoldedKey(std::string bytes, const ByteFold& fold = ByteFold::ForCodePage())
      : fold_(&fold), bytes_(std::move(bytes)), caseless_(fold.Caseless(bytes_)) {}
  bool Matches(std::string_view field) const { return caseless_ ? field == bytes_ : fold_->Equal(field, bytes_); }
  const std::string& bytes() const { return bytes_; }

 private:
  const ByteFold* fold_;
  std::string bytes_;
  bool caseless_;
};
