#include <windows.h>

#include "os/Registry.h"

namespace {

// The predefined roots are 32-bit values (HKEY_LOCAL_MACHINE is 0x80000002); on 64-bit
// Windows their handles are those values sign-extended. Handles of opened keys are small.
HKEY HandleOf(Registry::Key key) {
  if (key >= 0x80000000u && key <= 0x800000FFu)
    return reinterpret_cast<HKEY>(
        static_cast<std::intptr_t>(static_cast<std::int32_t>(static_cast<std::uint32_t>(key))));
  return reinterpret_cast<HKEY>(key);
}

}  // namespace

long OsRegistry::OpenKey(Key root, const std::string& name, std::uint32_t access, Key& key) {
  HKEY opened = nullptr;
  const LSTATUS status = RegOpenKeyExA(HandleOf(root), name.c_str(), 0, access, &opened);
  key = status == ERROR_SUCCESS ? reinterpret_cast<Key>(opened) : 0;
  return status;
}

long OsRegistry::QueryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                            std::uint32_t& size) {
  DWORD valueType = 0;
  DWORD valueSize = size;
  const LSTATUS status = RegQueryValueExA(HandleOf(key), name.c_str(), nullptr, &valueType, buffer, &valueSize);
  type = valueType;
  size = valueSize;
  return status;
}

long OsRegistry::CloseKey(Key key) { return RegCloseKey(HandleOf(key)); }
