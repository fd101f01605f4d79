#include "os/TaskSafety.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "store/TempHome.h"

// Owners, modes, groups and ACLs are POSIX; on Windows nothing is refused.
#ifndef _WIN32
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <sstream>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Path = std::filesystem::path;

// Throwaway accounts: `user` runs the program; `other` has user's private group as its
// primary group without being listed in it; `listed` is a group that lists other;
// `alone` a group with nobody in it.
struct Accounts {
  std::string suffix = std::to_string(::getpid());
  std::string user = "rmt-u" + suffix, other = "rmt-o" + suffix, listed = "rmt-l" + suffix, alone = "rmt-a" + suffix;
  uid_t userId = 0, otherId = 0;
  gid_t userGroup = 0, listedGroup = 0, aloneGroup = 0;
  bool made = false;

  static bool Run(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }
  Accounts() {
    made = Run("useradd -M -U -s /usr/sbin/nologin " + user) &&
           Run("useradd -M -N -g " + user + " -s /usr/sbin/nologin " + other) &&
           Run("groupadd -U " + other + " " + listed) && Run("groupadd " + alone);
    if (!made) return;
    userId = ::getpwnam(user.c_str())->pw_uid, userGroup = ::getpwnam(user.c_str())->pw_gid;
    otherId = ::getpwnam(other.c_str())->pw_uid;
    listedGroup = ::getgrnam(listed.c_str())->gr_gid, aloneGroup = ::getgrnam(alone.c_str())->gr_gid;
  }
  ~Accounts() {
    for (const std::string& name : {other, user}) Run("userdel " + name);
    for (const std::string& name : {listed, alone}) Run("groupdel " + name);
  }
};

// A home whose db folder and store belong to the program's user, only theirs to write,
// laid out further by a line of steps, each "kind path argument...":
//   d PATH MODE [OWNER]  a folder       s PATH MODE [OWNER]  a script
//   l PATH TARGET [OWNER]  a link       g PATH GROUP  group write for GROUP
//   acl PATH WHO PERM MASK  an extended ACL granting WHO (other, listed, alone) PERM
//   rm PATH  removed                 task PATH  the task to check (else the last path laid out)
// OWNER is other or root (the user by default); a PATH or TARGET that begins with "@" is
// below the home, else taken as written (relative to the home, the working folder).
struct Scene {
  TempHome home;
  const Accounts& ids;

  explicit Scene(const Accounts& accounts) : ids(accounts) {
    ::chmod(home.root().c_str(), 0755);
    home.WriteStore("");
    Own("db", 0700, "");
    Own("db/reminders.rmd", 0600, "");
  }
  Path At(const Path& relative) const { return home.root() / relative; }
  void Own(const Path& relative, mode_t mode, const std::string& owner) const {
    ::lchown(At(relative).c_str(), owner == "other" ? ids.otherId : owner == "root" ? 0 : ids.userId, ids.userGroup);
    if (!std::filesystem::is_symlink(At(relative))) ::chmod(At(relative).c_str(), mode);
  }
  gid_t GroupOf(const std::string& who) const {
    return who == "primary" ? ids.userGroup : who == "listed" ? ids.listedGroup : ids.aloneGroup;
  }
  // Lays the steps out; returns the task.
  Path Lay(const std::string& steps) const {
    Path task;
    std::istringstream in(steps);
    for (std::string line; std::getline(in, line, ',');) {
      std::istringstream step(line);
      std::vector<std::string> a{std::istream_iterator<std::string>(step), {}};  // kind, path, arguments
      const auto at = [this](const std::string& p) { return p[0] == '@' ? At(p.substr(1)) : Path(p); };
      const std::string& kind = a[0];
      if (kind == "d") std::filesystem::create_directory(At(a[1]));
      if (kind == "s") TempHome::WriteBytes(At(a[1]), "#!/bin/sh\n");
      if (kind == "l") std::filesystem::create_symlink(at(a[2]), At(a[1]));
      if (kind == "rm") std::filesystem::remove(At(a[1]));
      if (kind == "d" || kind == "s" || kind == "l")
        Own(a[1], kind == "l" ? 0 : std::stoi(a[2], nullptr, 8), a.size() > 3 ? a[3] : "");
      if (kind == "g") {
        struct stat st;
        ::stat(At(a[1]).c_str(), &st);
        ::chown(At(a[1]).c_str(), st.st_uid, GroupOf(a[2]));
        ::chmod(At(a[1]).c_str(), (st.st_mode & 07777) | S_IWGRP);
      }
      if (kind == "acl")
        Acl(a[1], a[2] == "other" ? 0x02 : 0x08, a[2] == "other" ? ids.otherId : GroupOf(a[2]), std::stoi(a[3]),
            std::stoi(a[4]));
      task = kind == "task" ? at(a[1]) : At(a[1]);
    }
    return task;
  }
  // An extended access ACL in the kernel's form (version, then tag, permissions and id
  // per entry, little-endian): the owner reads and writes, one named user or group has
  // `perm`, the owning group reads, the mask is `mask`, others nothing.
  void Acl(const Path& relative, int namedTag, uint32_t id, int perm, int mask) const {
    std::string bytes;
    auto put = [&](uint32_t value, int count) {
      for (int i = 0; i < count; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xff);
    };
    put(2, 4);
    std::vector<std::tuple<int, int, uint32_t>> entries{
        {0x01, 6, ~0u}, {namedTag, perm, id}, {0x04, 4, ~0u}, {0x10, mask, ~0u}, {0x20, 0, ~0u}};
    std::sort(entries.begin(), entries.end());  // the kernel takes entries in the order of their tags
    for (auto [tag, entryPerm, entryId] : entries) put(tag, 2), put(entryPerm, 2), put(entryId, 4);
    ASSERT_EQ(::setxattr(At(relative).c_str(), "system.posix_acl_access", bytes.data(), bytes.size(), 0), 0)
        << std::strerror(errno);
  }
  // What the check answers to the program's user, in a child that runs as that user in
  // the home folder; empty when the task may start.
  std::string RefusalFor(const Path& task) const {
    int pipe[2];
    if (::pipe(pipe) != 0) return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipe[0]);
      if (::setgroups(0, nullptr) != 0 || ::setresgid(ids.userGroup, ids.userGroup, ids.userGroup) != 0 ||
          ::setresuid(ids.userId, ids.userId, ids.userId) != 0 || ::chdir(home.root().c_str()) != 0)
        ::_exit(1);
      try {  // the child must end here whatever happens, never run on through the tests
        const std::string refusal = TaskRefusal(home.store(), At("db"), task).value_or("");
        ::_exit(::write(pipe[1], refusal.data(), refusal.size()) == static_cast<ssize_t>(refusal.size()) ? 0 : 1);
      } catch (...) {
        ::_exit(1);
      }
    }
    ::close(pipe[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? text : "the child failed";
  }
};

// One layout, the path the refusal names (below the home; empty when nothing is
// refused) and its reason.
struct Case {
  const char *name, *steps, *where, *why;
};
std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }
std::string CaseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

constexpr const char* kOwned = "belongs to another user";
constexpr const char* kWritable = "can be written by other users";
constexpr const char* kStore = "db/reminders.rmd";

class TaskSafetyAsUser : public testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() {
    if (::geteuid() == 0) accounts_ = new Accounts;
  }
  static void TearDownTestSuite() { delete std::exchange(accounts_, nullptr); }
  static inline Accounts* accounts_ = nullptr;
};

TEST_P(TaskSafetyAsUser, Refusal) {
  if (!accounts_ || !accounts_->made) GTEST_SKIP() << "needs root, useradd and groupadd";
  Scene scene(*accounts_);
  const std::string refusal = scene.RefusalFor(scene.Lay(GetParam().steps));
  const std::string where = scene.At(GetParam().where).native(), why = GetParam().why;
  if (!*GetParam().where)
    EXPECT_EQ(refusal, "");
  else  // "PATH why, so ..." for a refusal, "OS text: PATH" for a failure
    EXPECT_THAT(refusal, testing::AnyOf(testing::StartsWith(where + " " + why), testing::EndsWith(why + ": " + where)));
}

// Tasks run only from a store that no other user can write, in a db folder likewise; a
// missing store gives the OS's text. Then the task, every folder on its way from the
// root, and every link met, with the target.
const Case kTaskPath[] = {
    {"StoreAnyoneWrites", "s db/reminders.rmd 666, task none", kStore, kWritable},
    {"DbFolderAnyoneWrites", "d db 777, task none", "db", kWritable},
    {"MissingStore", "rm db/reminders.rmd, task none", kStore, "No such file or directory"},
    {"OwnScriptInOwnFolder", "d bin 700, s bin/t 700", "", ""},
    {"RootsScript", "d bin 700, s bin/t 755 root", "", ""},
    {"MissingTask", "d bin 700, task @bin/gone", "", ""},
    {"AnothersScript", "d bin 755, s bin/t 755 other", "bin/t", kOwned},
    {"ScriptAnyoneWrites", "d bin 700, s bin/t 777", "bin/t", kWritable},
    {"FolderAnyoneWrites", "d bin 777, s bin/t 700", "bin", kWritable},
    {"MissingFromStickyFolderAnyoneWrites", "d tmp 1777, task @tmp/gone", "tmp/gone", "No such file or directory"},
    {"StickyFolderAnyoneWrites", "d bin 1777, s bin/t 700", "", ""},
    {"AnothersFolder", "d bin 755 other, s bin/t 700", "bin", kOwned},
    {"FolderAboveAnyoneWrites", "d a 777, d a/b 700, s a/b/t 700", "a", kWritable},
    {"RelativeFromTheWorkingFolder", "d bin 777, s bin/t 700, task bin/t", "bin", kWritable},
    {"OwnLinkToAnothersScript", "d bin 755, s bin/t 755 other, l l @bin/t", "bin/t", kOwned},
    {"AnothersLinkInStickyFolder", "d tmp 1777, s t 700, l tmp/l @t other", "tmp/l",
     "is a link that belongs to another user"},
    {"LinkThroughLinkIntoFolderAnyoneWrites", "d open 777, s open/t 700, l l2 open/t, l l1 l2", "open", kWritable},
    {"LinkOutAndBack", "d bin 700, s bin/t 700, l bin/l ../bin/t", "", ""}};
INSTANTIATE_TEST_SUITE_P(TaskPath, TaskSafetyAsUser, testing::ValuesIn(kTaskPath), CaseName);

// Write granted by an extended ACL, to the store, its folder or the task, counts as
// others' write: a named user other than the owner, a group not of the owner alone,
// unless the mask withholds it.
const Case kExtendedAcl[] = {
    {"StoreAnotherUserWrites", "acl db/reminders.rmd other 6 6, task none", kStore, kWritable},
    {"MaskWithholdsWrite", "acl db/reminders.rmd other 6 4, task none", "", ""},
    {"FolderAnotherUserWrites", "acl db other 7 7, task none", "db", kWritable},
    {"StoreGroupWithAnotherWrites", "acl db/reminders.rmd listed 6 6, task none", kStore, kWritable},
    {"StoreGroupOfNobodyWrites", "acl db/reminders.rmd alone 6 6, task none", "", ""},
    {"TaskAnotherUserWrites", "s t 700, acl t other 6 6", "t", kWritable},
    {"TaskFolderAnotherUserWrites", "d bin 700, s bin/t 700, acl bin other 7 7, task @bin/t", "bin", kWritable}};
INSTANTIATE_TEST_SUITE_P(ExtendedAcl, TaskSafetyAsUser, testing::ValuesIn(kExtendedAcl), CaseName);

// Group write is others' write unless no other user is in the group: listed as a member
// or with it as primary group.
const Case kGroupWrite[] = {
    {"StoreGroupWithAPrimaryMember", "g db/reminders.rmd primary, task none", kStore, kWritable},
    {"StoreGroupWithAListedMember", "g db/reminders.rmd listed, task none", kStore, kWritable},
    {"StoreGroupOfNobody", "g db/reminders.rmd alone, task none", "", ""},
    {"TaskGroupWithAPrimaryMember", "s t 700, g t primary", "t", kWritable},
    {"TaskFolderGroupWithAListedMember", "d bin 700, s bin/t 700, g bin listed, task @bin/t", "bin", kWritable}};
INSTANTIATE_TEST_SUITE_P(GroupWrite, TaskSafetyAsUser, testing::ValuesIn(kGroupWrite), CaseName);

}  // namespace
#endif
