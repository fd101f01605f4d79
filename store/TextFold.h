#pragma once

#include <string>
#include <string_view>

// The small letter of a character that has one, else the character itself.
char16_t FoldCase(char16_t c);

// Case-insensitive comparison on code-page bytes, without decoding whole records: the
// check and the count compare raw Date and Time fields this way.
class ByteFold {
 public:
  static const ByteFold& ForCodePage();
  char Fold(char b) const { return table_[static_cast<unsigned char>(b)]; }
  bool Equal(std::string_view a, std::string_view b) const;
  std::string Folded(std::string_view bytes) const;
  // True when no byte of the text has another case: only the same bytes compare equal
  // to it, so a plain comparison does (digits and separators, as in most dates).
  bool Caseless(std::string_view bytes) const;

 private:
  ByteFold();
  char table_[256];
  bool alone_[256];  // no other byte folds as this one does
};
