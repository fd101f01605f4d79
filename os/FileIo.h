#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

// Every file call of the store and of the home directory reader goes through this
// interface, so that tests can make any single call fail. Each call returns 0 on
// success or the OS error code (errno, or GetLastError on Windows).
class FileIo {
 public:
  using Handle = std::intptr_t;

  enum class Intent {
    ReadExisting,  // read; the file must exist
    ReadCreate,    // read; a missing file is created empty
    // Read a file that a new one is about to replace; a missing file is created empty.
    // A file that may not be written is refused with access denied: also one whose mode
    // has no write bit (on Windows, the read-only attribute), though root may write it.
    ReadToReplace,
    UpdateCreate,  // read and write; a missing file is created empty
  };
  // Shared opens let other opens of the file read and write meanwhile; plain opens
  // let others read only. On Linux both are the same.
  enum class Sharing { Shared, Plain };

  virtual ~FileIo() = default;

  // Files are created for their owner alone (0600 on Linux), whatever the umask. An open
  // never waits on a FIFO or a device: anything but a regular file is refused with
  // kNotRegularFileError.
  virtual int Open(const std::filesystem::path& path, Intent intent, Sharing sharing, Handle& handle) = 0;
  virtual int Size(Handle handle, std::uint64_t& size) = 0;
  // Reads up to `length` bytes; fewer only at the end of the file.
  virtual int Read(Handle handle, std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) = 0;
  // Writes all `length` bytes or fails.
  virtual int Write(Handle handle, std::uint64_t offset, const char* data, std::size_t length) = 0;
  virtual int Truncate(Handle handle, std::uint64_t size) = 0;
  virtual int Sync(Handle handle) = 0;
  virtual int Close(Handle handle) = 0;
  virtual int Remove(const std::filesystem::path& path) = 0;
  // Puts `from` in the place of `to` in one step, replacing it. On Windows without POSIX
  // rename semantics, a `to` that a reader holds open moves aside to `to`.old first.
  virtual int Rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
  virtual int SyncFolder(const std::filesystem::path& folder) = 0;
  // Creates a folder inside an existing one, for its owner alone on Linux (mode 0700);
  // a folder already there is no failure.
  virtual int CreateFolder(const std::filesystem::path& folder) = 0;
  // The file that `path` names once the symbolic links of its last part are followed
  // (relative ones from the link's own folder); `path` itself when it is no link. A link
  // to a missing file names that missing file.
  virtual int ResolveLinks(const std::filesystem::path& path, std::filesystem::path& target) = 0;
  // Gives `to` the access rights, owner and group of `from`, so a replaced store stays
  // its owner's, also when root replaced it.
  virtual int CopyPermissions(Handle from, Handle to) = 0;
  // Creates a new, empty file for writing beside `beside`, under a name no other file
  // has (`beside`.temp-XXXXXX), for its owner alone; never through a link.
  virtual int CreateTemp(const std::filesystem::path& beside, Handle& handle, std::filesystem::path& made) = 0;
  // What is at `path`, links followed: nothing, a folder, or something else.
  enum class Entry { None, Folder, Other };
  virtual Entry EntryAt(const std::filesystem::path& path) = 0;
  // Opens (creating it for its owner alone if needed) the lock file and takes its
  // exclusive advisory lock without waiting; kLockBusyError when another process holds
  // it. A lock file that belongs to another user is refused: whoever can open it can
  // hold it. Unlock releases the lock and closes the handle.
  virtual int TryLock(const std::filesystem::path& lockFile, Handle& handle) = 0;
  virtual int Unlock(Handle handle) = 0;
};

// What an open reports for a FIFO, a device or anything else that is not a regular
// file; no OS code says that, so the store has its own.
inline constexpr int kNotRegularFileError = -2;
// What TryLock reports for a lock file that belongs to another user.
inline constexpr int kForeignLockError = -3;

// The code a read reports as failed when the file ended before it should have.
// The code TryLock reports while another process holds the lock.
// The code an open reports when the file's folder does not exist.
#ifdef _WIN32
inline constexpr int kShortReadError = 30;     // ERROR_READ_FAULT
inline constexpr int kLockBusyError = 33;      // ERROR_LOCK_VIOLATION
inline constexpr int kMissingFolderError = 3;  // ERROR_PATH_NOT_FOUND
#else
inline constexpr int kShortReadError = 5;      // EIO
inline constexpr int kLockBusyError = 11;      // EWOULDBLOCK
inline constexpr int kMissingFolderError = 2;  // ENOENT
#endif

// The real file system.
class OsFileIo final : public FileIo {
 public:
  int Open(const std::filesystem::path& path, Intent intent, Sharing sharing, Handle& handle) override;
  int Size(Handle handle, std::uint64_t& size) override;
  int Read(Handle handle, std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) override;
  int Write(Handle handle, std::uint64_t offset, const char* data, std::size_t length) override;
  int Truncate(Handle handle, std::uint64_t size) override;
  int Sync(Handle handle) override;
  int Close(Handle handle) override;
  int Remove(const std::filesystem::path& path) override;
  int Rename(const std::filesystem::path& from, const std::filesystem::path& to) override;
  int SyncFolder(const std::filesystem::path& folder) override;
  int CreateFolder(const std::filesystem::path& folder) override;
  int ResolveLinks(const std::filesystem::path& path, std::filesystem::path& target) override;
  int CopyPermissions(Handle from, Handle to) override;
  int CreateTemp(const std::filesystem::path& beside, Handle& handle, std::filesystem::path& made) override;
  Entry EntryAt(const std::filesystem::path& path) override;
  int TryLock(const std::filesystem::path& lockFile, Handle& handle) override;
  int Unlock(Handle handle) override;

  static OsFileIo& Instance();
};
