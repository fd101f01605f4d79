#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The few calls of the Windows registry that the About box makes (open a key, read a
// value, close the key), behind an interface so that tests can stand in for it. Each
// call returns 0 on success or the OS error code, as advapi32 does.
class Registry {
 public:
  using Key = std::uintptr_t;
  static constexpr Key kLocalMachine = 0x80000002;    // HKEY_LOCAL_MACHINE
  static constexpr std::uint32_t kKeyRead = 0x20019;  // KEY_READ
  static constexpr std::uint32_t kString = 1;         // REG_SZ
  static constexpr std::uint32_t kDword = 4;          // REG_DWORD
  static constexpr long kFileNotFound = 2;            // ERROR_FILE_NOT_FOUND
  static constexpr long kMoreData = 234;              // ERROR_MORE_DATA

  virtual ~Registry() = default;
  // Names are bytes of the single-byte code page.
  virtual long OpenKey(Key root, const std::string& name, std::uint32_t access, Key& key) = 0;
  // Reads the value into `buffer`, which holds `size` bytes; `size` then holds the
  // value's length in bytes and `type` its type. A value longer than the buffer fails
  // with kMoreData.
  virtual long QueryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                          std::uint32_t& size) = 0;
  virtual long CloseKey(Key key) = 0;
};

// The registry of the OS: advapi32 on Windows; elsewhere a registry without any keys.
class OsRegistry final : public Registry {
 public:
  long OpenKey(Key root, const std::string& name, std::uint32_t access, Key& key) override;
  long QueryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                  std::uint32_t& size) override;
  long CloseKey(Key key) override;

  static OsRegistry& Instance();
};

// The buffer GetKeyValue reads a value into; longer values do not fit.
inline constexpr std::uint32_t kKeyValueBufferSize = 1024;

// Reads the value `SubKeyRef` of the key `KeyName` below `KeyRoot` as text into `KeyVal`.
// A text value loses its terminating zero; a 32-bit number becomes "&h" and the
// hexadecimal digits of its bytes from the last kept byte to the first; a value of
// another type leaves `KeyVal` as it was. False, with `KeyVal` empty, when the key
// cannot be opened for reading or the value cannot be read.
bool GetKeyValue(Registry& registry, Registry::Key KeyRoot, std::u16string_view KeyName, std::u16string_view SubKeyRef,
                 std::u16string& KeyVal);

// The bytes of a value of `size` bytes read into `buffer`, less one terminating zero.
std::string_view KeptValueBytes(const unsigned char* buffer, std::uint32_t size);
// "&h" followed by two upper-case hexadecimal digits per byte, last byte first.
std::u16string DwordDigitText(std::string_view bytes);
