#include "os/TaskSafety.h"

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <deque>
#include <vector>

#include "os/OsError.h"

namespace {

using Path = std::filesystem::path;

// No user but `owner` is in the group: none listed as a member, none with it as primary
// group. A group the system cannot name, or a member it does not know, may hold anyone.
bool GroupHasOwnerAlone(gid_t gid, uid_t owner) {
  const group* grp = ::getgrgid(gid);
  if (!grp) return false;
  std::vector<std::string> members;  // copied: the lookups below may reuse the group's storage
  for (char** member = grp->gr_mem; *member; ++member) members.emplace_back(*member);
  for (const std::string& name : members) {
    const passwd* user = ::getpwnam(name.c_str());
    if (!user || user->pw_uid != owner) return false;
  }
  bool alone = true;
  ::setpwent();
  while (const passwd* user = ::getpwent())
    if (user->pw_gid == gid && user->pw_uid != owner) {
      alone = false;
      break;
    }
  ::endpwent();
  return alone;
}

uint32_t LittleEndian(const unsigned char* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

// The kernel's form of an access ACL (linux/posix_acl_xattr.h): version 2 in 32 bits,
// then entries of tag (16 bits), permissions (16 bits) and id (32 bits), little-endian.
// Named users and groups, and the owning group, write only within the mask. A form this
// reading does not know lets others write, as far as the check is concerned.
bool AclLetsOthersWrite(const std::vector<unsigned char>& acl, const struct stat& st) {
  enum : uint32_t { kUserObj = 0x01, kUser = 0x02, kGroupObj = 0x04, kGroup = 0x08, kMask = 0x10, kOther = 0x20 };
  constexpr uint32_t kWrite = 0x02;
  if (acl.size() < 4 || (acl.size() - 4) % 8 != 0 || LittleEndian(acl.data(), 4) != 2) return true;
  uint32_t mask = kWrite;
  for (size_t at = 4; at < acl.size(); at += 8)
    if (LittleEndian(&acl[at], 2) == kMask) mask = LittleEndian(&acl[at + 2], 2);
  for (size_t at = 4; at < acl.size(); at += 8) {
    const uint32_t tag = LittleEndian(&acl[at], 2), id = LittleEndian(&acl[at + 4], 4);
    const bool writes = LittleEndian(&acl[at + 2], 2) & kWrite;
    switch (tag) {
      case kUserObj:
      case kMask:
        break;
      case kUser:
        if (writes && (mask & kWrite) && id != st.st_uid) return true;
        break;
      case kGroupObj:
      case kGroup:
        if (writes && (mask & kWrite) && !GroupHasOwnerAlone(tag == kGroup ? id : st.st_gid, st.st_uid)) return true;
        break;
      case kOther:
        if (writes) return true;
        break;
      default:
        return true;
    }
  }
  return false;
}

// Whether anyone but the owner can write this file or folder (not a link): by the bits
// for others, by a group another user is in, or by an extended ACL. Empty when that
// cannot be told, with errno set.
std::optional<bool> OthersCanWrite(const Path& path, const struct stat& st) {
  if (st.st_mode & S_IWOTH) return true;
  static const char kAccessAcl[] = "system.posix_acl_access";
  const ssize_t size = ::getxattr(path.c_str(), kAccessAcl, nullptr, 0);
  if (size < 0) {
    if (errno != ENODATA && errno != ENOTSUP) return std::nullopt;
    return (st.st_mode & S_IWGRP) && !GroupHasOwnerAlone(st.st_gid, st.st_uid);
  }
  std::vector<unsigned char> acl(static_cast<size_t>(size));
  const ssize_t read = ::getxattr(path.c_str(), kAccessAcl, acl.data(), acl.size());
  if (read < 0) return std::nullopt;
  acl.resize(static_cast<size_t>(read));
  return AclLetsOthersWrite(acl, st);
}

std::optional<std::string> StorePartRefusal(const Path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return DescribeFailure(errno, path);
  const std::string where = PathText(path);
  if (st.st_uid != ::geteuid())
    return where +
           " belongs to another user, so its reminders could start programs chosen by "
           "someone else";
  const std::optional<bool> others = OthersCanWrite(path, st);
  if (!others) return DescribeFailure(errno, path);
  if (*others)
    return where +
           " can be written by other users, so its reminders could start programs chosen "
           "by someone else";
  return std::nullopt;
}

// Root's files and folders are trusted as the system's.
bool OwnerTrusted(const struct stat& st) { return st.st_uid == ::geteuid() || st.st_uid == 0; }

// A folder on the task's way: another user who owns it or may write it (unless the
// sticky bit keeps others' entries from them) could put anything in the task's place.
std::optional<std::string> FolderRefusal(const Path& folder, const struct stat& st) {
  const std::string why = ", so someone else could put another task in its place";
  if (!OwnerTrusted(st)) return PathText(folder) + " belongs to another user" + why;
  const std::optional<bool> others = OthersCanWrite(folder, st);
  if (!others) return DescribeFailure(errno, folder);
  if (*others && !(st.st_mode & S_ISVTX)) return PathText(folder) + " can be written by other users" + why;
  return std::nullopt;
}

std::optional<std::string> TaskFileRefusal(const Path& file, const struct stat& st) {
  const std::string why = ", so it could do what someone else chose";
  if (!OwnerTrusted(st)) return PathText(file) + " belongs to another user" + why;
  const std::optional<bool> others = OthersCanWrite(file, st);
  if (!others) return DescribeFailure(errno, file);
  if (*others) return PathText(file) + " can be written by other users" + why;
  return std::nullopt;
}

// Walks the task's path from the root one name at a time, as the system resolves it,
// following each link itself, so that every folder, link and file met is checked.
std::optional<std::string> TaskPathRefusal(const Path& task) {
  std::error_code ec;
  const Path full = task.is_absolute() ? task : std::filesystem::current_path(ec) / task;
  if (ec) return DescribeFailure(ec.value(), task);
  const Path below = full.relative_path();
  std::deque<Path> names(below.begin(), below.end());
  Path reached = "/";  // a real folder, every folder up to it checked
  struct stat st;
  if (::lstat("/", &st) != 0) return DescribeFailure(errno, reached);
  if (auto refusal = FolderRefusal(reached, st)) return refusal;
  int links = 0;
  while (!names.empty()) {
    const Path name = names.front();
    names.pop_front();
    if (name.empty() || name == ".") continue;
    if (name == "..") {
      reached = reached.parent_path();
      continue;
    }
    const Path next = reached / name;
    if (::lstat(next.c_str(), &st) != 0) {
      const int error = errno;
      // A missing name is left to fail when started, unless others may make it meanwhile
      // (a sticky folder they can write).
      struct stat folder;
      if (error == ENOENT && ::lstat(reached.c_str(), &folder) == 0 && OthersCanWrite(reached, folder) == false)
        return std::nullopt;
      return DescribeFailure(error, next);
    }
    if (S_ISLNK(st.st_mode)) {
      // Even in a sticky folder another user's link is theirs to point elsewhere.
      if (!OwnerTrusted(st))
        return PathText(next) +
               " is a link that belongs to another user, so it could lead to a task someone else chose";
      if (++links > 40) return DescribeFailure(ELOOP, task);
      const Path target = std::filesystem::read_symlink(next, ec);
      if (ec) return DescribeFailure(ec.value(), next);
      if (target.is_absolute()) reached = "/";
      const Path steps = target.relative_path();
      names.insert(names.begin(), steps.begin(), steps.end());
      continue;
    }
    if (!S_ISDIR(st.st_mode)) {
      for (const Path& rest : names)
        if (!rest.empty() && rest != ".") return DescribeFailure(ENOTDIR, next);
      return TaskFileRefusal(next, st);
    }
    if (auto refusal = FolderRefusal(next, st)) return refusal;
    reached = next;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> TaskRefusal(const Path& storeFile, const Path& dbFolder, const Path& task) {
  if (auto folder = StorePartRefusal(dbFolder)) return folder;
  if (auto store = StorePartRefusal(storeFile)) return store;
  return TaskPathRefusal(task);
}
