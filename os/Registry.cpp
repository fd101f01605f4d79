#include "os/Registry.h"

#include <array>

#include "os/CodePage.h"

std::string_view KeptValueBytes(const unsigned char* buffer, std::uint32_t size) {
  // A value of no bytes has no terminating zero to drop: it reads as empty text.
  if (size == 0) return {};
  std::string_view bytes(reinterpret_cast<const char*>(buffer), size);
  if (bytes.back() == '\0') bytes.remove_suffix(1);
  return bytes;
}

std::u16string DwordDigitText(std::string_view bytes) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string text = u"&h";
  for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
    const auto code = static_cast<unsigned char>(*it);
    text += kDigits[code >> 4];
    text += kDigits[code & 0x0F];
  }
  return text;
}

bool GetKeyValue(Registry& registry, Registry::Key KeyRoot, std::u16string_view KeyName, std::u16string_view SubKeyRef,
                 std::u16string& KeyVal) {
  Registry::Key key = 0;
  // Read access is all this needs; full access is refused to users who are not
  // administrators, and the tool could then never be found for them.
  if (registry.OpenKey(KeyRoot, EncodeSingleByte(KeyName), Registry::kKeyRead, key) != 0) {
    KeyVal.clear();
    return false;
  }
  std::array<unsigned char, kKeyValueBufferSize> buffer{};
  std::uint32_t size = kKeyValueBufferSize;
  std::uint32_t type = 0;
  const long read = registry.QueryValue(key, EncodeSingleByte(SubKeyRef), type, buffer.data(), size);
  registry.CloseKey(key);  // only read: a failing close loses nothing
  if (read != 0 || size > buffer.size()) {
    KeyVal.clear();
    return false;
  }
  const std::string_view kept = KeptValueBytes(buffer.data(), size);
  switch (type) {
    case Registry::kString:
      KeyVal = DecodeSingleByte(kept);
      break;
    // The digit text stands as it is; nothing that reads these values expects a number.
    case Registry::kDword:
      KeyVal = DwordDigitText(kept);
      break;
    default:
      break;
  }
  return true;
}
