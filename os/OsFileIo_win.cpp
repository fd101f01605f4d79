#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "os/FileIo.h"

namespace {
HANDLE AsHandle(FileIo::Handle h) { return reinterpret_cast<HANDLE>(h); }
int LastError() { return static_cast<int>(GetLastError()); }
}  // namespace

int OsFileIo::Open(const std::filesystem::path& path, Intent intent, Sharing sharing, Handle& handle) {
  DWORD access = GENERIC_READ;
  DWORD disposition = OPEN_ALWAYS;
  switch (intent) {
    case Intent::ReadExisting:
      disposition = OPEN_EXISTING;
      break;
    case Intent::ReadCreate:
      break;
    // Only read: a plain reader may hold the file meanwhile, which a write access would
    // clash with. The read-only attribute is checked below.
    case Intent::ReadToReplace:
      break;
    case Intent::UpdateCreate:
      access |= GENERIC_WRITE;
      break;
  }
  // Shared opens also allow a delete to rename a new store over the file meanwhile.
  DWORD share = sharing == Sharing::Shared ? FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE
                                           : FILE_SHARE_READ | FILE_SHARE_DELETE;
  HANDLE h = CreateFileW(path.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  // A device or pipe named in a file's place is never read or replaced.
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    return kNotRegularFileError;
  }
  if (intent == Intent::ReadToReplace) {
    // A read-only store is refused before anything is written, whoever asks.
    BY_HANDLE_FILE_INFORMATION info;
    int err = GetFileInformationByHandle(h, &info) ? 0 : LastError();
    if (!err && (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)) err = ERROR_ACCESS_DENIED;
    if (err) {
      CloseHandle(h);
      return err;
    }
  }
  handle = reinterpret_cast<Handle>(h);
  return 0;
}

int OsFileIo::Size(Handle handle, std::uint64_t& size) {
  LARGE_INTEGER li;
  if (!GetFileSizeEx(AsHandle(handle), &li)) return LastError();
  size = static_cast<std::uint64_t>(li.QuadPart);
  return 0;
}

namespace {
// Reads and writes name their place in the file, so they never move a shared position.
OVERLAPPED At(std::uint64_t offset) {
  OVERLAPPED ov{};
  ov.Offset = static_cast<DWORD>(offset);
  ov.OffsetHigh = static_cast<DWORD>(offset >> 32);
  return ov;
}
}  // namespace

int OsFileIo::Read(Handle handle, std::uint64_t offset, char* buffer, std::size_t length, std::size_t& got) {
  got = 0;
  while (got < length) {
    OVERLAPPED ov = At(offset + got);
    DWORD n = 0;
    if (!ReadFile(AsHandle(handle), buffer + got, static_cast<DWORD>(length - got), &n, &ov)) {
      if (GetLastError() == ERROR_HANDLE_EOF) return 0;
      return LastError();
    }
    if (n == 0) return 0;
    got += n;
  }
  return 0;
}

int OsFileIo::Write(Handle handle, std::uint64_t offset, const char* data, std::size_t length) {
  std::size_t done = 0;
  while (done < length) {
    OVERLAPPED ov = At(offset + done);
    DWORD n = 0;
    if (!WriteFile(AsHandle(handle), data + done, static_cast<DWORD>(length - done), &n, &ov)) return LastError();
    if (n == 0) return ERROR_WRITE_FAULT;
    done += n;
  }
  return 0;
}

int OsFileIo::Truncate(Handle handle, std::uint64_t size) {
  FILE_END_OF_FILE_INFO info;
  info.EndOfFile.QuadPart = static_cast<LONGLONG>(size);
  if (!SetFileInformationByHandle(AsHandle(handle), FileEndOfFileInfo, &info, sizeof info)) return LastError();
  return 0;
}

int OsFileIo::Sync(Handle handle) { return FlushFileBuffers(AsHandle(handle)) ? 0 : LastError(); }

int OsFileIo::Close(Handle handle) { return CloseHandle(AsHandle(handle)) ? 0 : LastError(); }

int OsFileIo::Remove(const std::filesystem::path& path) { return DeleteFileW(path.c_str()) ? 0 : LastError(); }

namespace {
// Renames with POSIX semantics: a file in the way is replaced even while others hold it
// open (with FILE_SHARE_DELETE, as every open of the store does), and they go on reading
// the old file. Windows 10 1709 and later on NTFS; elsewhere the call fails.
// FileRenameInfoEx, which mingw's headers hide behind a version test that never passes.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);

int RenameReplacingOpenFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  HANDLE h = CreateFileW(from.c_str(), DELETE | SYNCHRONIZE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  const std::wstring target = to.native();
  const std::size_t size = offsetof(FILE_RENAME_INFO, FileName) + (target.size() + 1) * sizeof(wchar_t);
  std::vector<unsigned char> buffer(size, 0);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->Flags = FILE_RENAME_FLAG_REPLACE_IF_EXISTS | FILE_RENAME_FLAG_POSIX_SEMANTICS;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, target.c_str(), (target.size() + 1) * sizeof(wchar_t));
  const int err = SetFileInformationByHandle(h, kFileRenameInfoEx, info, static_cast<DWORD>(size)) ? 0 : LastError();
  CloseHandle(h);
  return err;
}
}  // namespace

int OsFileIo::Rename(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (RenameReplacingOpenFile(from, to) == 0) return 0;
  // Older systems and other file systems: the classic rename, in one step.
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return 0;
  const int err = LastError();
  if (err != ERROR_ACCESS_DENIED && err != ERROR_SHARING_VIOLATION) return err;
  // The classic rename refuses to replace a file that a reader holds open. That reader
  // shares delete access, so the old file can move aside to `to`.old, where the reader
  // goes on reading it, and is deleted once the reader closes it.
  std::filesystem::path aside = to;
  aside += L".old";
  if (!ReplaceFileW(to.c_str(), from.c_str(), aside.c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    const int replaceErr = LastError();
    // The old file moved aside but the new one could not take its place: put it back.
    if (replaceErr == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) MoveFileExW(aside.c_str(), to.c_str(), 0);
    return replaceErr == ERROR_UNABLE_TO_REMOVE_REPLACED ? err : replaceErr;
  }
  DeleteFileW(aside.c_str());
  return 0;
}

int OsFileIo::SyncFolder(const std::filesystem::path&) {
  return 0;  // MOVEFILE_WRITE_THROUGH already made the rename durable.
}

int OsFileIo::CreateFolder(const std::filesystem::path& folder) {
  // The new folder inherits the access rights of the one it is made in.
  if (CreateDirectoryW(folder.c_str(), nullptr)) return 0;
  const int err = LastError();
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  if (err == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return 0;
  return err;
}

int OsFileIo::ResolveLinks(const std::filesystem::path& path, std::filesystem::path& target) {
  target = path;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const int err = LastError();
    // A missing store is created where it is named; a missing folder is the lock's to report.
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? 0 : err;
  }
  if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return 0;
  // The system follows the whole chain of links when it opens the file; ask it for the
  // name of what it opened.
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  std::wstring name(MAX_PATH, L'\0');
  DWORD n = GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
  if (n >= name.size()) {
    name.resize(n);
    n = GetFinalPathNameByHandleW(h, name.data(), static_cast<DWORD>(name.size()), FILE_NAME_NORMALIZED);
  }
  const int err = n == 0 || n >= name.size() ? LastError() : 0;
  CloseHandle(h);
  if (err) return err;
  name.resize(n);
  // The answer carries the \\?\ prefix, which messages and ReplaceFileW do without.
  if (name.starts_with(L"\\\\?\\UNC\\"))
    name.replace(0, 8, L"\\\\");
  else if (name.starts_with(L"\\\\?\\"))
    name.erase(0, 4);
  target = name;
  return 0;
}

int OsFileIo::CopyPermissions(Handle, Handle) {
  return 0;  // a new file inherits the folder's access rights, as the old one did
}

int OsFileIo::CreateTemp(const std::filesystem::path& beside, Handle& handle, std::filesystem::path& made) {
  // CREATE_NEW fails on any name already there, a link included.
  LARGE_INTEGER seed;
  QueryPerformanceCounter(&seed);
  auto next = static_cast<unsigned long long>(seed.QuadPart) ^ GetCurrentProcessId();
  for (int attempt = 0; attempt < 100; ++attempt) {
    next = next * 6364136223846793005ULL + 1442695040888963407ULL;
    std::filesystem::path name = beside;
    name += L".temp-" + std::to_wstring(next % 1000000000ULL);
    HANDLE h = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
      handle = reinterpret_cast<Handle>(h);
      made = name;
      return 0;
    }
    if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return LastError();
  }
  return ERROR_FILE_EXISTS;
}

FileIo::Entry OsFileIo::EntryAt(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD err = GetLastError();
    return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND ? Entry::None : Entry::Other;
  }
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? Entry::Folder : Entry::Other;
}

int OsFileIo::TryLock(const std::filesystem::path& lockFile, Handle& handle) {
  HANDLE h = CreateFileW(lockFile.c_str(), GENERIC_READ | GENERIC_WRITE,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return LastError();
  OVERLAPPED ov{};
  if (!LockFileEx(h, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &ov)) {
    int err = LastError();
    CloseHandle(h);
    return err;
  }
  handle = reinterpret_cast<Handle>(h);
  return 0;
}

int OsFileIo::Unlock(Handle handle) {
  OVERLAPPED ov{};
  UnlockFileEx(AsHandle(handle), 0, 1, 0, &ov);
  return CloseHandle(AsHandle(handle)) ? 0 : LastError();
}
