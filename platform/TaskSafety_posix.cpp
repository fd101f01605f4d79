#include "platform/TaskSafety.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/OsError.h"

namespace {

// A group that holds only its owner (the usual private group of a user) does not let
// anyone else write.
bool GroupIsOwnersOwn(gid_t gid, uid_t owner) {
  const passwd* user = getpwuid(owner);
  const group* grp = getgrgid(gid);
  if (!user || !grp || user->pw_gid != gid || std::strcmp(grp->gr_name, user->pw_name) != 0) return false;
  for (char** member = grp->gr_mem; *member; ++member)
    if (std::strcmp(*member, user->pw_name) != 0) return false;
  return true;
}

std::optional<std::string> Check(const std::filesystem::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return DescribeFailure(errno, path);
  const std::string where = PathText(path);
  if (st.st_uid != ::geteuid())
    return where +
           " belongs to another user, so its reminders could start programs chosen by "
           "someone else";
  if ((st.st_mode & S_IWOTH) || ((st.st_mode & S_IWGRP) && !GroupIsOwnersOwn(st.st_gid, st.st_uid)))
    return where +
           " can be written by other users, so its reminders could start programs chosen "
           "by someone else";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> TaskRefusal(const std::filesystem::path& storeFile, const std::filesystem::path& dbFolder) {
  if (auto folder = Check(dbFolder)) return folder;
  return Check(storeFile);
}
