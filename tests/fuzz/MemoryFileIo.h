#pragma once

#include <cerrno>
#include <cstring>
#include <string>

#include "platform/FileIo.h"

// One file held in memory, for fuzzing the readers without touching the disk. Writes
// are refused: a reader must never write.
class MemoryFileIo final : public FileIo {
 public:
  explicit MemoryFileIo(std::string contents) : contents_(std::move(contents)) {}

  int Open(const std::filesystem::path&, Intent intent, Sharing, Handle& h) override {
    if (intent != Intent::ReadExisting && intent != Intent::ReadCreate) return EROFS;
    h = 1;
    return 0;
  }
  int Size(Handle, std::uint64_t& size) override {
    size = contents_.size();
    return 0;
  }
  int Read(Handle, std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) override {
    got = offset >= contents_.size() ? 0 : std::min<std::size_t>(length, contents_.size() - offset);
    if (got) std::memcpy(buffer, contents_.data() + offset, got);
    return 0;
  }
  int Write(Handle, std::uint64_t, const char*, std::size_t) override { return EROFS; }
  int Truncate(Handle, std::uint64_t) override { return EROFS; }
  int Sync(Handle) override { return 0; }
  int Close(Handle) override { return 0; }
  int Remove(const std::filesystem::path&) override { return EROFS; }
  int Rename(const std::filesystem::path&, const std::filesystem::path&) override { return EROFS; }
  int SyncFolder(const std::filesystem::path&) override { return 0; }
  int CreateFolder(const std::filesystem::path&) override { return EROFS; }
  int ResolveLinks(const std::filesystem::path& path, std::filesystem::path& target) override {
    target = path;
    return 0;
  }
  int CopyPermissions(Handle, Handle) override { return EROFS; }
  int TryLock(const std::filesystem::path&, Handle&) override { return EROFS; }
  int Unlock(Handle) override { return 0; }

 private:
  std::string contents_;
};
