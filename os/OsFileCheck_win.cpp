#include <windows.h>

#include <string>

#include "os/FileCheck.h"

bool OsFileCheck::IsOrdinaryFile(std::u16string_view path) const {
  if (path.empty()) return false;
  const std::wstring wide(path.begin(), path.end());
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}
