#pragma once

#include <set>
#include <string>
#include <vector>

#include "os/FileIo.h"
#include "os/OsCodes.h"

// The real file system, except that chosen calls fail: call number `failAt` (counted
// from 1 over every call) fails, and every later call too when `sticky`. A failing
// write may first write half of its data (`shortWrite`), as a full disk does. Every
// call is named in `trace`, in order.
class FaultyFileIo final : public FileIo {
 public:
  int failAt = 0, error = kIoError, calls = 0;
  bool sticky = false, shortWrite = false;
  std::vector<std::string> trace;
  std::set<Handle> open, locks;  // files and locks not yet closed

  void Arm(int at, int err, bool isSticky, bool isShortWrite = false) {
    calls = 0, failAt = at, error = err, sticky = isSticky, shortWrite = isShortWrite;
    trace.clear();
  }
  void Disarm() { failAt = 0; }

  using Path = std::filesystem::path;
  int Open(const Path& path, Intent intent, Sharing sharing, Handle& h) override {
    return Kept(open, h, Fail("Open") ? error : real_.Open(path, intent, sharing, h));
  }
// A call that fails when chosen, else goes to the real file system.
#define FAULTY_CALL(Call, Params, Args) \
  int Call Params override { return Fail(#Call) ? error : real_.Call Args; }
  FAULTY_CALL(Size, (Handle h, std::uint64_t& size), (h, size))
  FAULTY_CALL(Read, (Handle h, std::uint64_t at, char* to, std::size_t n, std::size_t& got), (h, at, to, n, got))
  int Write(Handle h, std::uint64_t offset, const char* data, std::size_t length) override {
    if (!Fail("Write")) return real_.Write(h, offset, data, length);
    if (shortWrite && length > 1) real_.Write(h, offset, data, length / 2);
    return error;
  }
  FAULTY_CALL(Truncate, (Handle h, std::uint64_t size), (h, size))
  FAULTY_CALL(Sync, (Handle h), (h))
  // Like Linux, the handle is gone even when closing reports an error.
  int Close(Handle h) override { return open.erase(h), After("Close", real_.Close(h)); }
  FAULTY_CALL(Remove, (const Path& path), (path))
  FAULTY_CALL(Rename, (const Path& from, const Path& to), (from, to))
  FAULTY_CALL(SyncFolder, (const Path& folder), (folder))
  FAULTY_CALL(CreateFolder, (const Path& folder), (folder))
  FAULTY_CALL(ResolveLinks, (const Path& path, Path& target), (path, target))
  FAULTY_CALL(CopyPermissions, (Handle from, Handle to), (from, to))
#undef FAULTY_CALL
  int CreateTemp(const Path& beside, Handle& h, Path& made) override {
    return Kept(open, h, Fail("CreateTemp") ? error : real_.CreateTemp(beside, h, made));
  }
  Entry EntryAt(const Path& path) override { return real_.EntryAt(path); }
  int TryLock(const Path& lockFile, Handle& h) override {
    return Kept(locks, h, Fail("TryLock") ? error : real_.TryLock(lockFile, h));
  }
  int Unlock(Handle h) override { return locks.erase(h), After("Unlock", real_.Unlock(h)); }

 private:
  bool Fail(const char* call) {
    trace.push_back(call);
    return ++calls == failAt || (sticky && failAt > 0 && calls > failAt);
  }
  int Kept(std::set<Handle>& held, const Handle& h, int e) { return e ? e : (held.insert(h), 0); }
  int After(const char* call, int e) { return Fail(call) ? error : e; }
  OsFileIo real_;
};
