#include "os/OsError.h"

#include "os/FileIo.h"

std::string OsErrorText(int code) {
  if (code == kNotRegularFileError) return "Not a regular file";
  if (code == kForeignLockError) return "The lock file belongs to another user";
  return SystemErrorText(code);
}

std::string DescribeFailure(int code, const std::filesystem::path& path) {
  return OsErrorText(code) + ": " + PathText(path);
}
