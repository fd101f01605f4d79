#include "store/TextFold.h"

#include "os/CodePage.h"

char16_t FoldCase(char16_t c) {
  if (c < 0x80) return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) || (c >= 0x410 && c <= 0x42F))
    return static_cast<char16_t>(c + 0x20);
  if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 0x50);
  if (c == 0x178) return 0xFF;
  // Latin Extended-A pairs capital and small letters side by side.
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return (c % 2 == 0) ? static_cast<char16_t>(c + 1) : c;
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 1) ? static_cast<char16_t>(c + 1) : c;
  return c;
}

ByteFold::ByteFold() {
  for (int i = 0; i < 256; ++i) {
    char b = static_cast<char>(i);
    std::u16string c = DecodeSingleByte(std::string_view(&b, 1));
    std::string back = c.size() == 1 ? EncodeSingleByte(std::u16string(1, FoldCase(c[0]))) : "";
    table_[i] = back.size() == 1 && back != "?" ? back[0] : b;
  }
  int sameFold[256] = {};
  for (int i = 0; i < 256; ++i) ++sameFold[static_cast<unsigned char>(table_[i])];
  for (int i = 0; i < 256; ++i) alone_[i] = sameFold[static_cast<unsigned char>(table_[i])] == 1;
}

const ByteFold& ByteFold::ForCodePage() {
  static const ByteFold fold;
  return fold;
}

bool ByteFold::Equal(std::string_view a, std::string_view b) const {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

std::string ByteFold::Folded(std::string_view bytes) const {
  std::string out(bytes);
  for (char& b : out) b = Fold(b);
  return out;
}

bool ByteFold::Caseless(std::string_view bytes) const {
  for (char b : bytes)
    if (!alone_[static_cast<unsigned char>(b)]) return false;
  return true;
}
