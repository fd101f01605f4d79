#pragma once

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/FileIo.h"

// One file held in memory, for fuzzing the readers without touching the disk. Writes
// are refused: a reader must never write.
class MemoryFileIo final : public FileIo {
  using Path = std::filesystem::path;

 public:
  explicit MemoryFileIo(std::string contents) : contents_(std::move(contents)) {}

  int Open(const Path&, Intent intent, Sharing, Handle& h) override {
    h = 1;
    return intent == Intent::ReadExisting || intent == Intent::ReadCreate ? 0 : EROFS;
  }
  int Size(Handle, std::uint64_t& size) override { size = contents_.size(); return 0; }
  int Read(Handle, std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) override {
    got = offset >= contents_.size() ? 0 : std::min<std::size_t>(length, contents_.size() - offset);
    if (got) std::memcpy(buffer, contents_.data() + offset, got);
    return 0;
  }
  int ResolveLinks(const Path& path, Path& target) override { target = path; return 0; }
  int Write(Handle, std::uint64_t, const char*, std::size_t) override { return EROFS; }
  int Truncate(Handle, std::uint64_t) override { return EROFS; }
  int Remove(const Path&) override { return EROFS; }
  int Rename(const Path&, const Path&) override { return EROFS; }
  int CreateFolder(const Path&) override { return EROFS; }
  int CopyPermissions(Handle, Handle) override { return EROFS; }
  int TryLock(const Path&, Handle&) override { return EROFS; }
  int Sync(Handle) override { return 0; }
  int Close(Handle) override { return 0; }
  int SyncFolder(const Path&) override { return 0; }
  int Unlock(Handle) override { return 0; }

 private:
  std::string contents_;
};
