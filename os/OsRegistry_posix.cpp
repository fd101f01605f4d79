#include "os/Registry.h"

// Outside Windows there is no registry: no key can be opened.
long OsRegistry::OpenKey(Key, const std::string&, std::uint32_t, Key& key) {
  key = 0;
  return kFileNotFound;
}

long OsRegistry::QueryValue(Key, const std::string&, std::uint32_t& type, unsigned char*, std::uint32_t& size) {
  type = 0;
  size = 0;
  return kFileNotFound;
}

long OsRegistry::CloseKey(Key) { return 0; }
