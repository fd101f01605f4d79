// The store against what other local users can do on Linux: plant links and FIFOs,
// read or hold its files; and against a store so large that it must not be read whole.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "os/OsCodes.h"
#include "store/ReminderStore.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

constexpr uid_t kOtherUser = 65534;  // nobody
const ReminderRecord kNew = MakeRecord(u"new", u"12/06/2026", u"18:05:03", u"");

class StoreSafetyTest : public ::testing::Test {
 protected:
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()};
};

// A store that root changes stays its owner's: the next save by that user still works.
TEST_F(StoreSafetyTest, ChangeByRootKeepsTheStoreItsOwners) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root";
  home.WriteStore(RecordOf(u"mine"));
  ASSERT_EQ(chown(home.store().c_str(), kOtherUser, kOtherUser), 0);
  ASSERT_TRUE(store.AppendReminder(kNew).ok());
  struct stat st {};
  ASSERT_EQ(stat(home.store().c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kOtherUser);
  EXPECT_EQ(st.st_gid, kOtherUser);
  EXPECT_TRUE(home.StoreBytes() == RecordOf(u"mine") + RecordOf(u"new"));
}

// Another user plants a link to one of the user's private files in a folder others may
// write, under a name a write might use for its new file: the write goes to a file of its
// own, the private file stays as it was, and the store stays a plain file.
struct Planted {
  const char* name;
  bool linkedStore;  // the store is a link into the shared folder
  const char* plant;
};

class PlantedLinkTest : public StoreSafetyTest, public ::testing::WithParamInterface<Planted> {};

TEST_P(PlantedLinkTest, WriteNeverGoesThroughIt) {
  const Planted& c = GetParam();
  const fs::path shared = home.root() / "shared", secret = home.root() / "secret";
  fs::create_directory(shared);
  fs::permissions(shared, fs::perms::all);
  fs::permissions(home.root() / "db", fs::perms::all);
  TempHome::WriteBytes(secret, "private");
  fs::path file = home.store();
  if (c.linkedStore) {
    file = shared / "store.rmd";
    TempHome::WriteBytes(file, RecordOf(u"one"));
    fs::create_symlink(file, home.store());
  } else {
    home.WriteStore(RecordOf(u"one"));
  }
  const fs::path plant = file.parent_path() / c.plant;
  fs::create_symlink(secret, plant);
  if (geteuid() == 0) lchown(plant.c_str(), kOtherUser, kOtherUser);
  ASSERT_TRUE(store.AppendReminder(kNew).ok());
  EXPECT_EQ(TempHome::ReadBytes(secret), "private");
  EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(file)));
  EXPECT_TRUE(TempHome::ReadBytes(file) == RecordOf(u"one") + RecordOf(u"new"));
}

INSTANTIATE_TEST_SUITE_P(Plants, PlantedLinkTest,
                         ::testing::Values(Planted{"db_temp", false, "temp"},
                                           Planted{"beside_a_linked_stores_target", true, "store.rmd.temp"}),
                         [](const auto& p) { return std::string(p.param.name); });

// A FIFO in the store's place, or a link to one: a read fails at once instead of
// waiting for a writer, and a write refuses to replace it.
class NotAFileTest : public StoreSafetyTest, public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

TEST_P(NotAFileTest, IsRefusedWithoutWaiting) {
  const auto [throughLink, write] = GetParam();
  const fs::path fifo = throughLink ? home.root() / "fifo" : home.store();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  if (throughLink) fs::create_symlink(fifo, home.store());
  RecordCopy copy;
  const Status s = write ? store.AppendReminder(kNew) : store.CopyRecords(FileIo::Sharing::Shared, copy);
  EXPECT_EQ(s.text(), DescribeFailure(kNotRegularFileError, write ? fifo : home.store()));
  EXPECT_TRUE(fs::is_fifo(fifo));
}

INSTANTIATE_TEST_SUITE_P(Fifos, NotAFileTest, ::testing::Combine(::testing::Bool(), ::testing::Bool()));

// Whatever the umask, the store, its new file and the lock are the owner's alone, and a
// lock an older program made for everyone to open becomes so.
TEST_F(StoreSafetyTest, StoreAndLockAreForTheirOwnerAlone) {
  const mode_t was = umask(0);
  TempHome::WriteBytes(store.LockPath(), "");
  chmod(store.LockPath().c_str(), 0666);
  const Status s = store.AppendReminder(kNew);
  umask(was);
  ASSERT_TRUE(s.ok()) << s.text();
  EXPECT_EQ(fs::status(home.store()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(store.LockPath()).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

#if defined(__SANITIZE_ADDRESS__)
#define REMINDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define REMINDER_ASAN 1
#endif
#endif

// A change copies the store a chunk at a time: a store far larger than the memory the
// process may still take is changed all the same.
TEST_F(StoreSafetyTest, ChangeOfAStoreLargerThanTheMemoryLeft) {
#ifdef REMINDER_ASAN
  GTEST_SKIP() << "the sanitizers reserve more address space than the limit leaves";
#else
  constexpr std::uintmax_t kSize = std::uintmax_t{256} << 20;
  { std::ofstream(home.store()).flush(); }
  fs::resize_file(home.store(), kSize / kRecordSize * kRecordSize);
  long pages = 0;
  std::ifstream("/proc/self/statm") >> pages;
  const pid_t child = fork();
  if (child == 0) {
    const rlim_t limit = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (rlim_t{64} << 20);
    const rlimit bound{limit, limit};
    setrlimit(RLIMIT_AS, &bound);
    _exit(store.DeleteReminder(1).ok() ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
  EXPECT_EQ(fs::file_size(home.store()), kSize / kRecordSize * kRecordSize - kRecordSize);
#endif
}

}  // namespace
