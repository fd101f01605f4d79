#pragma once

#include <cstring>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "os/FileCheck.h"
#include "os/Registry.h"

// A registry of keys below HKEY_LOCAL_MACHINE that behaves like advapi32 (a value
// longer than the buffer fails with ERROR_MORE_DATA) and remembers every call.
struct FakeRegistry final : Registry {
  struct Value {
    std::uint32_t type = kString;
    std::string bytes;
  };
  void Set(const std::string& key, const std::string& name, Value value) { keys[key][name] = std::move(value); }

  long OpenKey(Key root, const std::string& name, std::uint32_t access, Key& key) override {
    opened.push_back(name);
    accessMasks.push_back(access);
    key = root == kLocalMachine && keys.count(name) ? opened.size() : 0;
    openKeys += key != 0;
    return key ? 0 : kFileNotFound;
  }
  long QueryValue(Key key, const std::string& name, std::uint32_t& type, unsigned char* buffer,
                  std::uint32_t& size) override {
    const auto& values = keys.at(opened.at(key - 1));
    auto it = values.find(name);
    if (it == values.end()) return kFileNotFound;
    type = it->second.type;
    const auto length = static_cast<std::uint32_t>(it->second.bytes.size());
    if (length <= size) std::memcpy(buffer, it->second.bytes.data(), length);
    return std::exchange(size, length) < length ? kMoreData : 0;
  }
  long CloseKey(Key key) override {
    openKeys -= key != 0;
    return 0;
  }

  std::map<std::string, std::map<std::string, Value>> keys;
  std::vector<std::string> opened;         // key names in the order they were opened
  std::vector<std::uint32_t> accessMasks;  // the access asked for at each open
  int openKeys = 0;                        // opened and not yet closed
};

// Says which files exist.
struct FakeFileCheck final : FileCheck {
  bool IsOrdinaryFile(std::u16string_view path) const override { return files.count(std::u16string(path)) > 0; }
  std::set<std::u16string> files;
};
