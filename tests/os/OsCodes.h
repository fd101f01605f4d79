#pragma once

#include <cerrno>

#include "os/CodePage.h"
#include "os/OsError.h"
#include "store/HomeDirectory.h"

// OS error codes the tests inject or expect, as the OS of the build numbers them
// (errno on Linux, GetLastError on Windows). Their texts come from OsErrorText, since
// Windows words them by language and Wine words them its own way.
// The store's code page is Windows-1252 on Linux and the ANSI code page on Windows;
// tests of particular bytes hold where that is Windows-1252.
// Native: a path written in a test as bytes, as the OS spells it: the bytes themselves
// on Linux, the code page's characters on Windows (as path.txt is read there).
#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
inline constexpr int kNoSuchFile = ERROR_FILE_NOT_FOUND, kNoSuchFolder = ERROR_PATH_NOT_FOUND,
                     kAccessDenied = ERROR_ACCESS_DENIED, kIoError = ERROR_IO_DEVICE, kDiskFull = ERROR_DISK_FULL;
inline bool CodePageIsWindows1252() { return GetACP() == 1252; }
inline NativePath Native(std::string_view bytes) {
  const std::u16string wide = DecodeSingleByte(bytes);
  return NativePath(wide.begin(), wide.end());
}
#else
inline constexpr int kNoSuchFile = ENOENT, kNoSuchFolder = ENOENT, kAccessDenied = EACCES, kIoError = EIO,
                     kDiskFull = ENOSPC;
inline bool CodePageIsWindows1252() { return true; }
inline NativePath Native(std::string_view bytes) { return NativePath(bytes); }
#endif
