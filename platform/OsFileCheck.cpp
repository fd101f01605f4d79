#include "platform/FileCheck.h"

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>

#include "platform/CodePage.h"
#endif

const OsFileCheck& OsFileCheck::Instance() {
  static const OsFileCheck check;
  return check;
}

bool OsFileCheck::IsOrdinaryFile(std::u16string_view path) const {
  if (path.empty()) return false;
#ifdef _WIN32
  const std::wstring wide(path.begin(), path.end());
  const DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
#else
  const std::string bytes = Utf16ToUtf8(path);
  // A name that begins with a dot is this system's hidden file.
  const std::size_t slash = bytes.find_last_of('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  if (start < bytes.size() && bytes[start] == '.') return false;
  struct stat info {};
  return ::stat(bytes.c_str(), &info) == 0 && S_ISREG(info.st_mode);
#endif
}
