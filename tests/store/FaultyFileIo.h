#pragma once

#include <cerrno>
#include <set>

#include "platform/FileIo.h"

// The real file system, except that chosen calls fail: call number `failAt` (counted
// from 1 over every call) fails with `error`, and every later call too when `sticky`.
class FaultyFileIo final : public FileIo {
 public:
  int failAt = 0;
  int error = EIO;
  bool sticky = false;
  int calls = 0;
  std::set<Handle> open;

  int Open(const std::filesystem::path& path, Intent intent, Sharing sharing, Handle& h) override {
    if (int e = Fail()) return e;
    int e = real_.Open(path, intent, sharing, h);
    if (!e) open.insert(h);
    return e;
  }
  int Size(Handle h, std::uint64_t& size) override { return Fail() ? error : real_.Size(h, size); }
  int Read(Handle h, std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) override {
    return Fail() ? error : real_.Read(h, offset, buffer, length, got);
  }
  int Write(Handle h, std::uint64_t offset, const char* data, std::size_t length) override {
    return Fail() ? error : real_.Write(h, offset, data, length);
  }
  int Truncate(Handle h, std::uint64_t size) override { return Fail() ? error : real_.Truncate(h, size); }
  int Sync(Handle h) override { return Fail() ? error : real_.Sync(h); }
  int Close(Handle h) override {
    // Like Linux, the handle is gone even when close reports an error.
    open.erase(h);
    int e = real_.Close(h);
    return Fail() ? error : e;
  }
  int Remove(const std::filesystem::path& path) override { return Fail() ? error : real_.Remove(path); }
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return Fail() ? error : real_.Rename(from, to);
  }
  int SyncFolder(const std::filesystem::path& folder) override {
    return Fail() ? error : real_.SyncFolder(folder);
  }

 private:
  int Fail() {
    ++calls;
    return (calls == failAt || (sticky && failAt > 0 && calls > failAt)) ? error : 0;
  }
  OsFileIo real_;
};
