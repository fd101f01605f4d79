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
#include <functional>
#include <tuple>
#include <vector>

namespace {

using Path = std::filesystem::path;

// Tasks run only from a store that no other user can write, in a db folder likewise;
// a refusal names which, a missing store gives the OS's text.
TEST(TaskSafety, StoreOrFolderThatOthersCanWriteRefusesTasks) {
  TempHome home;
  const Path db = home.root() / "db", task = home.root() / "no task";
  EXPECT_EQ(TaskRefusal(home.store(), db, task), "No such file or directory: " + home.store().native());
  home.WriteStore("");
  for (auto [store, folder, refused] : {std::tuple{0600, 0700, false}, {0666, 0700, true}, {0600, 0777, true}}) {
    ::chmod(home.store().c_str(), store);
    ::chmod(db.c_str(), folder);
    const std::string refusal = TaskRefusal(home.store(), db, task).value_or("");
    const std::string where = (store == 0666 ? home.store() : db).native();
    EXPECT_EQ(refusal.find(where + " can be written by other users"), refused ? 0 : std::string::npos) << refusal;
  }
}

// Throwaway accounts: `user` runs the program; `other` has user's private group as its
// primary group without being listed in it; `listed` is a group that lists other;
// `alone` a group with nobody in it.
struct Accounts {
  std::string suffix = std::to_string(::getpid());
  std::string user = "rmt-u" + suffix, other = "rmt-o" + suffix, listed = "rmt-l" + suffix, alone = "rmt-a" + suffix;
  uid_t userId = 0, otherId = 0;
  gid_t userGroup = 0, listedGroup = 0, aloneGroup = 0;
  bool made = false;

  Accounts() {
    const std::string quiet = " >/dev/null 2>&1";
    made = std::system(("useradd -M -U -s /usr/sbin/nologin " + user + quiet).c_str()) == 0 &&
           std::system(("useradd -M -N -g " + user + " -s /usr/sbin/nologin " + other + quiet).c_str()) == 0 &&
           std::system(("groupadd -U " + other + " " + listed + quiet).c_str()) == 0 &&
           std::system(("groupadd " + alone + quiet).c_str()) == 0;
    if (!made) return;
    userId = ::getpwnam(user.c_str())->pw_uid;
    userGroup = ::getpwnam(user.c_str())->pw_gid;
    otherId = ::getpwnam(other.c_str())->pw_uid;
    listedGroup = ::getgrnam(listed.c_str())->gr_gid;
    aloneGroup = ::getgrnam(alone.c_str())->gr_gid;
  }
  ~Accounts() {
    for (const std::string& command :
         {"userdel " + other, "userdel " + user, "groupdel " + listed, "groupdel " + alone})
      std::system((command + " >/dev/null 2>&1").c_str());
  }
};

// A home whose db folder and store belong to the program's user, only theirs to write,
// and helpers that lay out files, folders and links below it.
struct Scene {
  TempHome home;
  const Accounts& ids;

  explicit Scene(const Accounts& accounts) : ids(accounts) {
    ::chmod(home.root().c_str(), 0755);
    home.WriteStore("");
    Own("db", 0700);
    Own("db/reminders.rmd", 0600);
  }
  Path At(const Path& relative) const { return home.root() / relative; }
  Path Own(const Path& relative, mode_t mode, uid_t owner = ~uid_t{0}) const {
    ::lchown(At(relative).c_str(), owner == ~uid_t{0} ? ids.userId : owner, ids.userGroup);
    if (!std::filesystem::is_symlink(At(relative))) ::chmod(At(relative).c_str(), mode);
    return At(relative);
  }
  Path Folder(const Path& relative, mode_t mode, uid_t owner = ~uid_t{0}) const {
    return std::filesystem::create_directory(At(relative)), Own(relative, mode, owner);
  }
  Path Script(const Path& relative, mode_t mode, uid_t owner = ~uid_t{0}) const {
    return TempHome::WriteBytes(At(relative), "#!/bin/sh\n"), Own(relative, mode, owner);
  }
  Path Link(const Path& relative, const Path& target, uid_t owner = ~uid_t{0}) const {
    return std::filesystem::create_symlink(target, At(relative)), Own(relative, 0, owner);
  }
  void Group(const Path& relative, gid_t group) const {
    struct stat st;
    ::stat(At(relative).c_str(), &st);
    ::chown(At(relative).c_str(), st.st_uid, group);
    ::chmod(At(relative).c_str(), (st.st_mode & 07777) | S_IWGRP);
  }
  // An extended access ACL in the kernel's form (version, then tag, permissions and id
  // per entry, little-endian): the owner reads and writes, one named user or group has
  // `perm`, the owning group reads, the mask is `mask`, others nothing.
  void Acl(const Path& relative, uint16_t namedTag, uint32_t id, uint16_t perm, uint16_t mask) const {
    std::string bytes;
    auto put = [&](uint32_t value, int count) {
      for (int i = 0; i < count; ++i) bytes += static_cast<char>(value >> (8 * i) & 0xff);
    };
    put(2, 4);
    std::vector<std::tuple<uint16_t, uint16_t, uint32_t>> entries{
        {0x01, 6, ~0u}, {namedTag, perm, id}, {0x04, 4, ~0u}, {0x10, mask, ~0u}, {0x20, 0, ~0u}};
    std::sort(entries.begin(), entries.end());  // the kernel takes entries in the order of their tags
    for (auto [tag, entryPerm, entryId] : entries) {
      put(tag, 2);
      put(entryPerm, 2);
      put(entryId, 4);
    }
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

// One layout: it returns the task to check; `where` is the path the refusal names
// (below the home; empty when nothing is refused) and `why` its reason.
struct Case {
  const char* name;
  std::function<Path(const Scene&)> lay;
  const char* where;
  const char* why;
};
std::ostream& operator<<(std::ostream& out, const Case& c) { return out << c.name; }
std::string CaseName(const testing::TestParamInfo<Case>& info) { return info.param.name; }

constexpr const char* kOwned = "belongs to another user";
constexpr const char* kWritable = "can be written by other users";
constexpr const char* kOthersLink = "is a link that belongs to another user";

class TaskSafetyAsUser : public testing::TestWithParam<Case> {
 protected:
  static void SetUpTestSuite() {
    if (::geteuid() == 0) accounts_ = new Accounts;
  }
  static void TearDownTestSuite() {
    delete accounts_;
    accounts_ = nullptr;
  }
  static inline Accounts* accounts_ = nullptr;
};

TEST_P(TaskSafetyAsUser, Refusal) {
  if (!accounts_ || !accounts_->made) GTEST_SKIP() << "needs root, useradd and groupadd";
  Scene scene(*accounts_);
  const Path task = GetParam().lay(scene);
  const std::string refusal = scene.RefusalFor(task);
  if (!*GetParam().where)
    EXPECT_EQ(refusal, "");
  else  // "PATH why, so ..." for a refusal, "OS text: PATH" for a failure
    EXPECT_THAT(refusal,
                testing::AnyOf(testing::StartsWith(scene.At(GetParam().where).native() + " " + GetParam().why),
                               testing::EndsWith(GetParam().why + (": " + scene.At(GetParam().where).native()))));
}

// The task, every folder on its way from the root, and every link met, with the target.
INSTANTIATE_TEST_SUITE_P(
    TaskPath, TaskSafetyAsUser,
    testing::Values(
        Case{"OwnScriptInOwnFolder", [](auto& s) { return s.Folder("bin", 0700), s.Script("bin/t", 0700); }, "", ""},
        Case{"RootsScript", [](auto& s) { return s.Folder("bin", 0700), s.Script("bin/t", 0755, 0); }, "", ""},
        Case{"MissingTask", [](auto& s) { return s.Folder("bin", 0700) / "gone"; }, "", ""},
        Case{"AnothersScript", [](auto& s) { return s.Folder("bin", 0755), s.Script("bin/t", 0755, s.ids.otherId); },
             "bin/t", kOwned},
        Case{"ScriptAnyoneWrites", [](auto& s) { return s.Folder("bin", 0700), s.Script("bin/t", 0777); }, "bin/t",
             kWritable},
        Case{"FolderAnyoneWrites", [](auto& s) { return s.Folder("bin", 0777), s.Script("bin/t", 0700); }, "bin",
             kWritable},
        Case{"MissingFromStickyFolderAnyoneWrites", [](auto& s) { return s.Folder("tmp", 01777) / "gone"; }, "tmp/gone",
             "No such file or directory"},
        Case{"StickyFolderAnyoneWrites", [](auto& s) { return s.Folder("bin", 01777), s.Script("bin/t", 0700); }, "",
             ""},
        Case{"AnothersFolder", [](auto& s) { return s.Folder("bin", 0755, s.ids.otherId), s.Script("bin/t", 0700); },
             "bin", kOwned},
        Case{"FolderAboveAnyoneWrites",
             [](auto& s) { return s.Folder("a", 0777), s.Folder("a/b", 0700), s.Script("a/b/t", 0700); }, "a",
             kWritable},
        Case{"RelativeFromTheWorkingFolder",
             [](auto& s) { return s.Folder("bin", 0777), s.Script("bin/t", 0700), Path("bin/t"); }, "bin", kWritable},
        Case{"OwnLinkToAnothersScript",
             [](auto& s) {
               return s.Folder("bin", 0755), s.Script("bin/t", 0755, s.ids.otherId), s.Link("l", s.At("bin/t"));
             },
             "bin/t", kOwned},
        Case{"AnothersLinkInStickyFolder",
             [](auto& s) {
               return s.Folder("tmp", 01777), s.Script("t", 0700), s.Link("tmp/l", s.At("t"), s.ids.otherId);
             },
             "tmp/l", kOthersLink},
        Case{"LinkThroughLinkIntoFolderAnyoneWrites",
             [](auto& s) {
               return s.Folder("open", 0777), s.Script("open/t", 0700), s.Link("l2", "open/t"), s.Link("l1", "l2");
             },
             "open", kWritable},
        Case{"LinkOutAndBack",
             [](auto& s) { return s.Folder("bin", 0700), s.Script("bin/t", 0700), s.Link("bin/l", "../bin/t"); }, "",
             ""}),
    CaseName);

// Write granted by an extended ACL, to the store, its folder or the task, counts as
// others' write: a named user other than the owner, a group not of the owner alone,
// unless the mask withholds it.
INSTANTIATE_TEST_SUITE_P(
    ExtendedAcl, TaskSafetyAsUser,
    testing::Values(Case{"StoreAnotherUserWrites",
                         [](auto& s) { return s.Acl("db/reminders.rmd", 0x02, s.ids.otherId, 6, 6), Path("none"); },
                         "db/reminders.rmd", kWritable},
                    Case{"MaskWithholdsWrite",
                         [](auto& s) { return s.Acl("db/reminders.rmd", 0x02, s.ids.otherId, 6, 4), Path("none"); }, "",
                         ""},
                    Case{"FolderAnotherUserWrites",
                         [](auto& s) { return s.Acl("db", 0x02, s.ids.otherId, 7, 7), Path("none"); }, "db", kWritable},
                    Case{"StoreGroupWithAnotherWrites",
                         [](auto& s) { return s.Acl("db/reminders.rmd", 0x08, s.ids.listedGroup, 6, 6), Path("none"); },
                         "db/reminders.rmd", kWritable},
                    Case{"StoreGroupOfNobodyWrites",
                         [](auto& s) { return s.Acl("db/reminders.rmd", 0x08, s.ids.aloneGroup, 6, 6), Path("none"); },
                         "", ""},
                    Case{"TaskAnotherUserWrites",
                         [](auto& s) { return s.Script("t", 0700), s.Acl("t", 0x02, s.ids.otherId, 6, 6), s.At("t"); },
                         "t", kWritable},
                    Case{"TaskFolderAnotherUserWrites",
                         [](auto& s) {
                           return s.Folder("bin", 0700), s.Script("bin/t", 0700),
                                  s.Acl("bin", 0x02, s.ids.otherId, 7, 7), s.At("bin/t");
                         },
                         "bin", kWritable}),
    CaseName);

// Group write is others' write unless no other user is in the group: listed as a member
// or with it as primary group.
INSTANTIATE_TEST_SUITE_P(
    GroupWrite, TaskSafetyAsUser,
    testing::Values(Case{"StoreGroupWithAPrimaryMember",
                         [](auto& s) { return s.Group("db/reminders.rmd", s.ids.userGroup), Path("none"); },
                         "db/reminders.rmd", kWritable},
                    Case{"StoreGroupWithAListedMember",
                         [](auto& s) { return s.Group("db/reminders.rmd", s.ids.listedGroup), Path("none"); },
                         "db/reminders.rmd", kWritable},
                    Case{"StoreGroupOfNobody",
                         [](auto& s) { return s.Group("db/reminders.rmd", s.ids.aloneGroup), Path("none"); }, "", ""},
                    Case{"TaskGroupWithAPrimaryMember",
                         [](auto& s) { return s.Script("t", 0700), s.Group("t", s.ids.userGroup), s.At("t"); }, "t",
                         kWritable},
                    Case{"TaskFolderGroupWithAListedMember",
                         [](auto& s) {
                           return s.Folder("bin", 0700), s.Script("bin/t", 0700), s.Group("bin", s.ids.listedGroup),
                                  s.At("bin/t");
                         },
                         "bin", kWritable}),
    CaseName);

}  // namespace
#endif
