#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>

#include <string>
#include <vector>

#include "os/FileIo.h"

namespace {
int Fd(FileIo::Handle h) { return static_cast<int>(h); }
}  // namespace

int OsFileIo::Open(const std::filesystem::path& path, Intent intent, Sharing, Handle& handle) {
  // Non-blocking, so a FIFO planted in a file's place cannot hang the program in open.
  int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  switch (intent) {
    case Intent::ReadExisting:
      flags |= O_RDONLY;
      break;
    case Intent::ReadCreate:
      flags |= O_RDONLY | O_CREAT;
      break;
    // Opened for writing, so the kernel refuses a file this user may not write. The
    // store's links were resolved just before: a link put in its place meanwhile is
    // refused rather than followed.
    case Intent::ReadToReplace:
      flags |= O_RDWR | O_CREAT | O_NOFOLLOW;
      break;
    case Intent::UpdateCreate:
      flags |= O_RDWR | O_CREAT;
      break;
  }
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0600);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  struct stat st;
  int err = ::fstat(fd, &st) == 0 ? 0 : errno;
  if (!err && S_ISDIR(st.st_mode)) err = EISDIR;
  if (!err && !S_ISREG(st.st_mode)) err = kNotRegularFileError;
  // The kernel lets root write any file: a file with no write bit at all is read-only
  // by its owner's choice, and stays so for root too.
  if (!err && intent == Intent::ReadToReplace && (st.st_mode & 0222) == 0) err = EACCES;
  if (err) {
    ::close(fd);
    return err;
  }
  handle = fd;
  return 0;
}

int OsFileIo::Size(Handle handle, std::uint64_t& size) {
  struct stat st;
  if (::fstat(Fd(handle), &st) != 0) return errno;
  size = static_cast<std::uint64_t>(st.st_size);
  return 0;
}

int OsFileIo::Read(Handle handle, std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) {
  got = 0;
  while (got < length) {
    ssize_t n = ::pread(Fd(handle), buffer + got, length - got, static_cast<off_t>(offset + got));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return 0;
}

int OsFileIo::Write(Handle handle, std::uint64_t offset, const char* data, std::size_t length) {
  std::size_t done = 0;
  while (done < length) {
    ssize_t n = ::pwrite(Fd(handle), data + done, length - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

int OsFileIo::Truncate(Handle handle, std::uint64_t size) {
  return ::ftruncate(Fd(handle), static_cast<off_t>(size)) == 0 ? 0 : errno;
}

int OsFileIo::Sync(Handle handle) { return ::fsync(Fd(handle)) == 0 ? 0 : errno; }

int OsFileIo::Close(Handle handle) {
  // Linux releases the descriptor even when close reports an error: never retry.
  return ::close(Fd(handle)) == 0 ? 0 : errno;
}

int OsFileIo::Remove(const std::filesystem::path& path) { return ::unlink(path.c_str()) == 0 ? 0 : errno; }

int OsFileIo::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int OsFileIo::SyncFolder(const std::filesystem::path& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  int rc = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return rc;
}

int OsFileIo::CreateFolder(const std::filesystem::path& folder) {
  if (::mkdir(folder.c_str(), 0700) == 0) return 0;
  const int err = errno;
  struct stat st;
  if (err == EEXIST && ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return 0;
  return err;
}

int OsFileIo::ResolveLinks(const std::filesystem::path& path, std::filesystem::path& target) {
  target = path;
  std::vector<char> link(PATH_MAX);
  for (int hops = 0; hops < 40; ++hops) {  // the kernel's own limit
    struct stat st;
    if (::lstat(target.c_str(), &st) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(st.st_mode)) return 0;
    const ssize_t n = ::readlink(target.c_str(), link.data(), link.size());
    if (n < 0) return errno;
    if (static_cast<std::size_t>(n) == link.size()) return ENAMETOOLONG;
    const std::filesystem::path next(std::string(link.data(), static_cast<std::size_t>(n)));
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return ELOOP;
}

int OsFileIo::CopyPermissions(Handle from, Handle to) {
  struct stat st, mine;
  if (::fstat(Fd(from), &st) != 0 || ::fstat(Fd(to), &mine) != 0) return errno;
  // A store that root replaces stays its owner's; a user who may write another user's
  // store (through its group) cannot give the new one away and is refused here.
  if ((st.st_uid != mine.st_uid || st.st_gid != mine.st_gid) && ::fchown(Fd(to), st.st_uid, st.st_gid) != 0)
    return errno;
  return ::fchmod(Fd(to), st.st_mode & 07777) == 0 ? 0 : errno;
}

int OsFileIo::CreateTemp(const std::filesystem::path& beside, Handle& handle, std::filesystem::path& made) {
  // mkostemp creates with O_EXCL, which never follows a link, and mode 0600.
  std::string name = beside.native() + ".temp-XXXXXX";
  int fd;
  do {
    fd = ::mkostemp(name.data(), O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  handle = fd;
  made = name;
  return 0;
}

FileIo::Entry OsFileIo::EntryAt(const std::filesystem::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT ? Entry::None : Entry::Other;
  return S_ISDIR(st.st_mode) ? Entry::Folder : Entry::Other;
}

int OsFileIo::TryLock(const std::filesystem::path& lockFile, Handle& handle) {
  int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
  if (fd < 0) return errno;
  struct stat st;
  int err = ::fstat(fd, &st) == 0 ? 0 : errno;
  if (!err && !S_ISREG(st.st_mode)) err = kNotRegularFileError;
  // Whoever can open the lock file can hold its lock and so stop every write: it must be
  // this user's (root may take any user's), and only its owner may open it.
  const uid_t me = ::geteuid();
  if (!err && st.st_uid != me && me != 0) err = kForeignLockError;
  if (!err && st.st_uid == me && (st.st_mode & 077) != 0 && ::fchmod(fd, 0600) != 0) err = errno;
  while (!err && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    err = errno == EWOULDBLOCK ? kLockBusyError : errno;
  }
  if (err) {
    ::close(fd);
    return err;
  }
  handle = fd;
  return 0;
}

int OsFileIo::Unlock(Handle handle) {
  // Closing the descriptor releases the lock.
  return ::close(Fd(handle)) == 0 ? 0 : errno;
}
