#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <optional>

#include "os/OsError.h"
#include "os/RunningCopyFolder.h"

namespace {

// Why another user could take or fake the lock in `folder`; nothing when only this user can.
std::optional<std::string> Unusable(const std::filesystem::path& folder) {
  if (folder.empty()) return std::string("No runtime folder");
  struct stat st;
  if (::lstat(folder.c_str(), &st) != 0) return DescribeFailure(errno, folder);
  const std::string where = PathText(folder);
  if (!S_ISDIR(st.st_mode)) return where + " is not a folder";
  if (st.st_uid != ::geteuid()) return where + " belongs to another user";
  if (st.st_mode & (S_IWGRP | S_IWOTH)) return where + " can be written by other users";
  return std::nullopt;
}

}  // namespace

std::filesystem::path RunningCopyFolder(const std::filesystem::path& runtime, const std::filesystem::path& fallback,
                                        std::string& why) {
  const std::optional<std::string> runtimeFault = Unusable(runtime);
  if (!runtimeFault) return runtime;
  std::error_code ignored;  // a parent that cannot be made shows in the mkdir below
  std::filesystem::create_directories(fallback.parent_path(), ignored);
  // Made here for this user alone; one that was there already is checked like any other.
  ::mkdir(fallback.c_str(), 0700);
  const std::optional<std::string> fallbackFault = Unusable(fallback);
  if (!fallbackFault) return fallback;
  why = *runtimeFault + "; " + *fallbackFault;
  return {};
}
