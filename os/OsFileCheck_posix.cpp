#include <sys/stat.h>

#include <string>

#include "os/CodePage.h"
#include "os/FileCheck.h"

bool OsFileCheck::IsOrdinaryFile(std::u16string_view path) const {
  if (path.empty()) return false;
  const std::string bytes = Utf16ToUtf8(path);
  // A name that begins with a dot is this system's hidden file.
  const std::size_t slash = bytes.find_last_of('/');
  const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
  if (start < bytes.size() && bytes[start] == '.') return false;
  struct stat info {};
  return ::stat(bytes.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}
