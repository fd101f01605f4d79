#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/FileIo.h"
#include "platform/OsCodes.h"

// The real file system, except that chosen calls fail: call number `failAt` (counted
// from 1 over every call) fails, and every later call too when `sticky`. A failing
// write may first write half of its data (`shortWrite`), as a full disk does. Every
// call is named in `trace`, in order.
class FaultyFileIo final : public FileIo {
 public:
  int failAt = 0;
  int error = kIoError;
  bool sticky = false;
  bool shortWrite = false;
  int calls = 0;
  std::vector<std::string> trace;
  std::set<Handle> open;  // files and locks not yet closed
  std::set<Handle> locks;

  void Arm(int at, int err, bool isSticky, bool isShortWrite = false) {
    calls = 0;
    trace.clear();
    failAt = at;
    error = err;
    sticky = isSticky;
    shortWrite = isShortWrite;
  }
  void Disarm() { failAt = 0; }

  int Open(const std::filesystem::path& path, Intent intent, Sharing sharing, Handle& h) override {
    if (Fail("Open")) return error;
    int e = real_.Open(path, intent, sharing, h);
    if (!e) open.insert(h);
    return e;
  }
  int Size(Handle h, std::uint64_t& size) override { return Fail("Size") ? error : real_.Size(h, size); }
  int Read(Handle h, std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) override {
    return Fail("Read") ? error : real_.Read(h, offset, buffer, length, got);
  }
  int Write(Handle h, std::uint64_t offset, const char* data, std::size_t length) override {
    if (!Fail("Write")) return real_.Write(h, offset, data, length);
    if (shortWrite && length > 1) real_.Write(h, offset, data, length / 2);
    return error;
  }
  int Truncate(Handle h, std::uint64_t size) override { return Fail("Truncate") ? error : real_.Truncate(h, size); }
  int Sync(Handle h) override { return Fail("Sync") ? error : real_.Sync(h); }
  int Close(Handle h) override {
    open.erase(h);  // like Linux, the handle is gone even when close reports an error
    int e = real_.Close(h);
    return Fail("Close") ? error : e;
  }
  int Remove(const std::filesystem::path& path) override { return Fail("Remove") ? error : real_.Remove(path); }
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    return Fail("Rename") ? error : real_.Rename(from, to);
  }
  int SyncFolder(const std::filesystem::path& folder) override {
    return Fail("SyncFolder") ? error : real_.SyncFolder(folder);
  }
  int CreateFolder(const std::filesystem::path& folder) override {
    return Fail("CreateFolder") ? error : real_.CreateFolder(folder);
  }
  int ResolveLinks(const std::filesystem::path& path, std::filesystem::path& target) override {
    return Fail("ResolveLinks") ? error : real_.ResolveLinks(path, target);
  }
  int CopyPermissions(Handle from, Handle to) override {
    return Fail("CopyPermissions") ? error : real_.CopyPermissions(from, to);
  }
  int TryLock(const std::filesystem::path& lockFile, Handle& h) override {
    if (Fail("TryLock")) return error;
    int e = real_.TryLock(lockFile, h);
    if (!e) locks.insert(h);
    return e;
  }
  int Unlock(Handle h) override {
    locks.erase(h);
    int e = real_.Unlock(h);
    return Fail("Unlock") ? error : e;
  }

 private:
  bool Fail(const char* call) {
    trace.push_back(call);
    ++calls;
    return calls == failAt || (sticky && failAt > 0 && calls > failAt);
  }
  OsFileIo real_;
};
