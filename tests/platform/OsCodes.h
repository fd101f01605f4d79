#pragma once

#include <cerrno>
#include <string>
#include <string_view>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

#include "platform/CodePage.h"
#include "platform/OsError.h"
#include "store/HomeDirectory.h"

// OS error codes the tests inject or expect, as the OS of the build numbers them
// (errno on Linux, GetLastError on Windows). Their texts come from OsErrorText, since
// Windows words them by language and Wine words them its own way.
#ifdef _WIN32
inline constexpr int kNoSuchFile = ERROR_FILE_NOT_FOUND;
inline constexpr int kNoSuchFolder = ERROR_PATH_NOT_FOUND;
inline constexpr int kAccessDenied = ERROR_ACCESS_DENIED;
inline constexpr int kIoError = ERROR_IO_DEVICE;
inline constexpr int kDiskFull = ERROR_DISK_FULL;
#else
inline constexpr int kNoSuchFile = ENOENT;
inline constexpr int kNoSuchFolder = ENOENT;
inline constexpr int kAccessDenied = EACCES;
inline constexpr int kIoError = EIO;
inline constexpr int kDiskFull = ENOSPC;
#endif

// The store's code page is Windows-1252 on Linux and the ANSI code page on Windows;
// tests of particular bytes hold where that is Windows-1252.
inline bool CodePageIsWindows1252() {
#ifdef _WIN32
  return GetACP() == 1252;
#else
  return true;
#endif
}

// A path written in a test as bytes, as the OS spells it: the bytes themselves on
// Linux, the code page's characters on Windows (as path.txt is read there).
inline NativePath Native(std::string_view bytes) {
#ifdef _WIN32
  const std::u16string wide = DecodeSingleByte(bytes);
  return NativePath(wide.begin(), wide.end());
#else
  return NativePath(bytes);
#endif
}
