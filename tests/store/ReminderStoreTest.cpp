#include "store/ReminderStore.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <tuple>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "os/OsCodes.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

using Sharing = FileIo::Sharing;
constexpr int kMax = ReminderStore::kMaxRecords;
constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;

const ReminderRecord kNew = MakeRecord(u"new", u"12/06/2026", u"18:05:03", u"");

class StoreTest : public ::testing::Test {
 protected:
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()};
};

TEST(RecordLayout, FieldsSitAtTheirOffsetsPaddedWithSpacesOrCutToTheirWidths) {
  const std::string bytes = RecordOf(u"Dentist", u"12/06/2026", u"06:05:03 PM", std::u16string(300, u't'));
  EXPECT_EQ(bytes, "Dentist" + std::string(73, ' ') + "12/06/202606:05:03 PM" + std::string(255, 't'));
}

// A read creates a missing store empty. It takes the whole records before a damaged tail
// longer than half a record and writes nothing (a shorter tail is the fault injection's;
// other bytes the fuzz targets').
TEST_F(StoreTest, ReadCreatesAMissingStoreEmptyAndLeavesALongDamagedTailAlone) {
  RecordCopy none, three;
  ASSERT_TRUE(store.CopyRecords(Sharing::Plain, none).ok());
  EXPECT_TRUE(none.size() == 0 && fs::exists(home.store()));
  home.WriteStore(Records(3, 300));
  ASSERT_TRUE(store.CopyRecords(Sharing::Shared, three).ok());
  EXPECT_EQ(three.size(), 3u);
  EXPECT_TRUE(home.StoreBytes() == Records(3, 300));
}

// A write on `records` records and a damaged tail of `tail` bytes, beside a temp file
// an interrupted write left. It either succeeds, appending the new record as record
// `at`, deleting record `at` (0: none) or rewriting record `at` as the edit dialog does,
// and leaves no temp file; or it fails with `failure` in its text and leaves the store
// as it was. A plain append, delete and rewrite are the fault injection's clean runs.
enum class Op { Read, Append, Delete, DeleteChanged, Rewrite };

struct WriteCase {
  const char* name;
  int records;
  std::size_t tail;
  Op op;
  int number;  // the record a delete or rewrite names
  int at;
  const char* failure = nullptr;
  bool lockHeld = false;  // by another writer: every change waits its turn, then gives up
  bool readOnly = false;  // a store without write permission is never replaced, not even by root
};

Status Write(ReminderStore& store, const WriteCase& c, int* seen = nullptr) {
  if (c.op == Op::Read)
    return store.ScanReminders(Sharing::Shared, [&](int, const ReminderRecord&) { return ++*seen > 0; });
  if (c.op == Op::Append) return store.AppendReminder(kNew);
  if (c.op == Op::Rewrite)
    return store.RewriteShownReminder(1, {Utf8ToUtf16(std::to_string(c.number)), u"12/06/2026", u"18:05:03", u""},
                                      kNew);
  if (c.op == Op::DeleteChanged) return store.DeleteReminder(c.number, [](const ReminderRecord&) { return false; });
  return store.DeleteReminder(c.number);
}

// An existing home without a db folder, as every new user has: it reads as an empty
// store; only a change that writes a reminder makes the folder, for its owner alone.
class HomeWithoutDbTest : public StoreTest, public ::testing::WithParamInterface<Op> {};

TEST_P(HomeWithoutDbTest, ReadsAsEmptyAndOnlyAnAppendMakesTheFolder) {
  fs::remove_all(home.root() / "db");
  int seen = 0;
  const Status s = Write(store, WriteCase{"", 0, 0, GetParam(), GetParam() == Op::Rewrite ? 1 : 0, 0}, &seen);
  const bool appended = GetParam() == Op::Append;
  if (GetParam() == Op::Rewrite)
    EXPECT_NE(s.text().find("changed or removed since the list was loaded"), std::string::npos) << s.text();
  else
    EXPECT_TRUE(s.ok()) << s.text();
  EXPECT_EQ(seen, 0);
  EXPECT_EQ(fs::exists(home.root() / "db"), appended);
#ifndef _WIN32
  EXPECT_TRUE(!appended || fs::status(home.root() / "db").permissions() == fs::perms::owner_all);
#endif
}

INSTANTIATE_TEST_SUITE_P(Changes, HomeWithoutDbTest, ::testing::Values(Op::Read, Op::Append, Op::Rewrite, Op::Delete));

// A home folder that does not exist, none at all, or a db that is a file: reads and
// writes fail with the path and create nothing, neither the home nor a db folder at the
// root.
enum class BadHome { None, Gone, DbIsAFile };

class MissingHomeTest : public ::testing::TestWithParam<std::tuple<BadHome, bool>> {};

TEST_P(MissingHomeTest, ReadAndWriteFailWithThePathAndCreateNothing) {
  TempHome dir;
  const auto [kind, write] = GetParam();
  const NativePath home = kind == BadHome::None ? NativePath() : (dir.root() / "gone").native();
  if (kind == BadHome::DbIsAFile) {
    fs::create_directory(home);
    TempHome::WriteBytes(DbFolderFor(home), "");
  }
  if (kind == BadHome::None && fs::exists(DbFolderFor(home))) GTEST_SKIP() << PathText(DbFolderFor(home)) << " exists";
  ReminderStore store(OsFileIo::Instance(), [&] { return home; });
  RecordCopy copy;
  const Status s = write ? store.AppendReminder(kNew) : store.CopyRecords(Sharing::Shared, copy);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.text().find(PathText(StorePathFor(home))), std::string::npos) << s.text();
  EXPECT_EQ(fs::is_directory(DbFolderFor(home)), false);
  EXPECT_EQ(fs::exists(dir.root() / "gone"), kind == BadHome::DbIsAFile);
}

INSTANTIATE_TEST_SUITE_P(Homes, MissingHomeTest,
                         ::testing::Combine(::testing::Values(BadHome::None, BadHome::Gone, BadHome::DbIsAFile),
                                            ::testing::Bool()));

// An append cuts the bytes before its record, or fills them up with zeros; a delete
// drops the damaged tail too.
std::string AfterWrite(std::string bytes, const WriteCase& c) {
  if (c.op == Op::Append) {
    bytes.resize((c.at - 1) * kRecordSize, '\0');
    return bytes + RecordOf(u"new");
  }
  if (c.op == Op::Rewrite) return bytes.replace((c.at - 1) * kRecordSize, kRecordSize, RecordOf(u"new"));
  bytes.resize(bytes.size() / kRecordSize * kRecordSize);
  if (c.at > 0) bytes.erase((c.at - 1) * kRecordSize, kRecordSize);
  return bytes;
}

class WriteTest : public StoreTest, public ::testing::WithParamInterface<WriteCase> {};

// Whoever listens hears of each write that succeeded, once.
TEST_P(WriteTest, LeavesTheIntendedBytesOrNoChange) {
  const WriteCase& c = GetParam();
  const std::string before = Records(c.records, c.tail);
  home.WriteStore(before);
  TempHome::WriteBytes(fs::path(home.store()) += ".temp-left", Records(2, 2));
  int told = 0;
  store.OnChanged([&] { ++told; });
  FileIo::Handle held = 0;
  ASSERT_EQ(c.lockHeld ? OsFileIo::Instance().TryLock(store.LockPath(), held) : 0, 0);
  store.SetLockWait(std::chrono::milliseconds(50));
  if (c.readOnly) fs::permissions(home.store(), kReadOnly);
  const Status s = Write(store, c);
  const fs::perms mode = fs::status(home.store()).permissions();
  fs::permissions(home.store(), fs::perms::owner_write, fs::perm_options::add);  // to clean up
  if (c.lockHeld) OsFileIo::Instance().Unlock(held);
  EXPECT_EQ(told, c.failure ? 0 : 1);
  if (c.failure) {
    EXPECT_NE(s.text().find(c.failure), std::string::npos) << s.text();
    EXPECT_NE(s.text().find(PathText(home.store())), std::string::npos) << s.text();
    EXPECT_TRUE(home.StoreBytes() == before);
    EXPECT_TRUE(!c.readOnly ||
                (s.text() == DescribeFailure(kAccessDenied, home.store()) && (mode & fs::perms::all) == kReadOnly));
  } else {
    ASSERT_TRUE(s.ok()) << s.text();
    for (const auto& entry : fs::directory_iterator(home.root() / "db"))
      EXPECT_TRUE(entry.path() == home.store() || entry.path() == home.root() / "db" / "reminders.lock")
          << entry.path();
    EXPECT_TRUE(home.StoreBytes() == AfterWrite(before, c));
  }
}

// Every number the store can give in use, and two whole records beyond.
constexpr int kFull = kMax + 2;

INSTANTIATE_TEST_SUITE_P(
    Writes, WriteTest,
    ::testing::Values(WriteCase{"append_over_just_under_half", 2, 177, Op::Append, 0, 3},
                      WriteCase{"append_half_rounds_to_even_2", 2, 178, Op::Append, 0, 3},
                      WriteCase{"append_half_rounds_to_even_4", 3, 178, Op::Append, 0, 5},
                      WriteCase{"append_after_a_long_tail", 2, 179, Op::Append, 0, 4},
                      WriteCase{"append_past_the_last_number", kFull, 100, Op::Append, 0, 0, "32767"},
                      WriteCase{"delete_0", 3, 0, Op::Delete, 0, 0},
                      WriteCase{"delete_past_the_end", 3, 300, Op::Delete, 4, 0},
                      WriteCase{"delete_first_keeps_the_records_beyond", kFull, 100, Op::Delete, 1, 1},
                      WriteCase{"delete_last_number", kFull, 100, Op::Delete, kMax, kMax},
                      WriteCase{"delete_beyond_the_last_number", kFull, 100, Op::Delete, kMax + 1, 0},
                      WriteCase{"delete_of_a_changed_record", 3, 0, Op::DeleteChanged, 2, 0, "nothing was written"},
                      WriteCase{"rewrite_keeps_the_records_beyond", kFull, 100, Op::Rewrite, kMax, kMax},
                      WriteCase{"rewrite_beyond_the_last_number", kFull, 0, Op::Rewrite, kMax + 1, 0,
                                "changed or removed"},
                      WriteCase{"append_while_another_writes", 3, 0, Op::Append, 0, 0, "busy", true},
                      WriteCase{"delete_while_another_writes", 3, 0, Op::Delete, 2, 0, "busy", true},
                      WriteCase{"rewrite_while_another_writes", 3, 0, Op::Rewrite, 2, 0, "busy", true},
                      WriteCase{"delete_from_a_read_only_store", 3, 0, Op::Delete, 2, 0, "", false, true}),
    [](const auto& p) { return std::string(p.param.name); });

// Which record a rewrite of a listed reminder changes: the one that is the same
// occurrence of the list's four texts as the row was, else none.
struct ShownCase {
  const char* name;
  int occurrence;
  ShownTexts shown;
  int expected; /* 0: nothing is written */
};

class RewriteShownTest : public StoreTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(RewriteShownTest, RewritesTheSameOccurrenceOfTheShownTexts) {
  const std::string before =
      RecordOf(u"Meeting", u"12/07/2026", u"09:00:00") + RecordOf(u"other", u"12/07/2026", u"09:00:00") +
      RecordOf(u"Meeting", u"12/07/2026", u"09:00:00") + RecordOf(u"Meeting", u"12/08/2026", u"10:00:00") +
      RecordOf(u"MEETING", u"12/07/2026", u"09:00:00", u"/bin/x");
  home.WriteStore(before);
  const auto [name, occurrence, shown, n] = GetParam();
  int found = -1;
  ASSERT_TRUE(store.FindShownRecord(occurrence, shown, found).ok());
  EXPECT_EQ(found, n);
  const Status s =
      store.RewriteShownReminder(occurrence, shown, MakeRecord(u"edited", u"12/09/2026", u"11:00:00", u""));
  EXPECT_TRUE(n ? s.ok() : s.text().find(PathText(home.store())) != std::string::npos) << s.text();
  const std::string edited = RecordOf(u"edited", u"12/09/2026", u"11:00:00");
  EXPECT_TRUE(home.StoreBytes() == (n ? std::string(before).replace((n - 1) * 356u, 356, edited) : before));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RewriteShownTest,
    ::testing::Values(ShownCase{"first_of_two_alike", 1, {u"Meeting", u"12/07/2026", u"09:00:00", u""}, 1},
                      ShownCase{"second_of_two_alike", 2, {u"Meeting", u"12/07/2026", u"09:00:00", u""}, 3},
                      ShownCase{"a_third_alike_is_gone", 3, {u"Meeting", u"12/07/2026", u"09:00:00", u""}, 0},
                      ShownCase{"same_about_other_time", 1, {u"Meeting", u"12/08/2026", u"10:00:01", u""}, 0},
                      ShownCase{"same_texts_other_task", 1, {u"MEETING", u"12/07/2026", u"09:00:00", u""}, 0},
                      ShownCase{
                          "about_in_other_letter_case", 1, {u"meeting", u"12/07/2026", u"09:00:00", u"/bin/x"}, 0}),
    [](const auto& p) { return std::string(p.param.name); });

// The store against what other local users can do on Linux: plant links and FIFOs, read
// or hold its files; and against a store so large that it must not be read whole.
#ifndef _WIN32
constexpr uid_t kOtherUser = 65534;  // nobody

// A store that root changes stays its owner's: the next save by that user still works.
TEST_F(StoreTest, ChangeByRootKeepsTheStoreItsOwners) {
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

class PlantedLinkTest : public StoreTest, public ::testing::WithParamInterface<Planted> {};

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
class NotAFileTest : public StoreTest, public ::testing::WithParamInterface<std::tuple<bool, bool>> {};

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
TEST_F(StoreTest, StoreAndLockAreForTheirOwnerAlone) {
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
TEST_F(StoreTest, ChangeOfAStoreLargerThanTheMemoryLeft) {
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

#endif

}  // namespace
