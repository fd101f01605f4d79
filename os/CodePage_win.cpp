#include <windows.h>

#include "os/CodePage.h"

std::string EncodeSingleByte(std::u16string_view text) {
  if (text.empty()) return {};
  // A surrogate pair is one character outside the code page: one '?', as on Linux, where
  // Windows would write one for each half.
  std::wstring wide;
  wide.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      wide.push_back(L'\xFFFD');
      ++i;
    } else {
      wide.push_back(static_cast<wchar_t>(text[i]));
    }
  }
  // Without WC_NO_BEST_FIT_CHARS Windows would write look-alikes ('a' for U+0101).
  const int size = static_cast<int>(wide.size());
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr, 0, "?", nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, out.data(), n, "?", nullptr);
  return out;
}

std::u16string DecodeSingleByte(std::string_view bytes) {
  if (bytes.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(out.data()),
                      n);
  return out;
}

std::filesystem::path::string_type NativePathFromBytes(std::string_view bytes) {
  const std::u16string wide = DecodeSingleByte(bytes);
  return std::filesystem::path::string_type(wide.begin(), wide.end());
}
