// Every I/O call of every store operation is failed on purpose, once and then for good,
// with each kind of failure; the store must be exactly as before, or exactly as intended
// after a reported success.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>

#include "os/OsError.h"
#include "store/FaultyFileIo.h"
#include "store/ReminderStore.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

constexpr auto Shared = FileIo::Sharing::Shared;

const std::string kFour = RecordOf(u"one") + RecordOf(u"two") + RecordOf(u"three") + RecordOf(u"four");
const std::string kNoTwo = RecordOf(u"one") + RecordOf(u"three") + RecordOf(u"four");

// Failing calls are counted over every call, so the syncs and closes fail in turn too.
const struct {
  const char* name;
  int error;
  bool shortWrite;
} kFaults[] = {{"no space", kDiskFull, false},
               {"I/O error", kIoError, false},
               {"permission denied", kAccessDenied, false},
               {"short write", kDiskFull, true}};

class FaultInjection : public ::testing::Test {
 protected:
  static inline int points = 0;
  static void TearDownTestSuite() { std::printf("fault injection: %d injection points run\n", points); }

  const std::string before = kFour + std::string(100, 'x');
  TempHome home;
  FaultyFileIo io;
  ReminderStore store{io, home.home()};
  ReminderStore clean{OsFileIo::Instance(), home.home()};

  // Runs `run` with each of its calls failing in turn, each fault once and for good;
  // every file is closed afterwards and a failure carries the system's description.
  void Inject(const std::function<void()>& prepare, const std::function<Status()>& run,
              const std::function<void(const Status&)>& check) {
    for (const auto& fault : kFaults)
      for (bool sticky : {false, true})
        for (int at = 1;; ++at) {
          prepare();
          io.Arm(at, fault.error, sticky, fault.shortWrite);
          const Status s = run();
          io.Disarm();
          ++points;
          SCOPED_TRACE(std::string(fault.name) + (sticky ? " for good" : " once") + ", call " + std::to_string(at));
          EXPECT_TRUE(io.open.empty() && io.locks.empty()) << "a file or the lock is left open";
          EXPECT_TRUE(s.ok() || s.text().find(OsErrorText(fault.error)) != std::string::npos) << s.text();
          check(s);  // on another store: the calls counted are the run's
          if (at > io.calls) {
            EXPECT_TRUE(s.ok()) << "a run without a failing call failed: " << s.text();
            break;
          }
        }
  }

  // A write that leaves `expected`, or `was` after a failure (by default on `before`).
  void InjectWrite(const std::function<Status()>& run, const std::string& expected,
                   std::function<void()> prepare = nullptr, std::optional<std::string> was = std::nullopt) {
    if (!prepare) prepare = [&] { home.WriteStore(before); };
    Inject(prepare, run, [&](const Status& s) {
      EXPECT_TRUE(home.StoreBytes() == (s.ok() ? expected : was.value_or(before))) << s.text();
      // A failure names the store the user knows, not the new file beside it.
      EXPECT_EQ(s.text().find(".temp"), std::string::npos) << s.text();
      // The next write leaves no temp file behind, wherever the store lives.
      EXPECT_TRUE(clean.DeleteReminder(0).ok());
      for (const auto& entry : fs::recursive_directory_iterator(home.root()))
        EXPECT_EQ(entry.path().filename().string().find("temp"), std::string::npos);
    });
  }
};

const ReminderRecord kNew = MakeRecord(u"new", u"12/06/2026", u"18:05:03", u"");

TEST_F(FaultInjection, AppendRewriteDeleteAndAFirstAppendCreatingTheDbFolder) {
  InjectWrite([&] { return store.AppendReminder(kNew); }, kFour + RecordOf(u"new"));
  const ShownTexts two{u"two", u"12/06/2026", u"18:05:03", u""};
  const ReminderRecord edited = MakeRecord(u"TWO", u"", u"", u"/bin/two");
  InjectWrite([&] { return store.RewriteShownReminder(1, two, edited); },
              std::string(before).replace(356, 356, RecordOf(u"TWO", u"", u"", u"/bin/two")));
  InjectWrite([&] { return store.DeleteReminder(2); }, kNoTwo);
  InjectWrite([&] { return store.AppendReminder(kNew); }, RecordOf(u"new"), [&] { fs::remove_all(home.root() / "db"); },
              "");
}

// db/reminders.rmd -> ../elsewhere/link (relative to the link's folder) -> the file: the
// write goes through to the file, and both links stay links.
TEST_F(FaultInjection, DeleteThroughLinks) {
  const fs::path elsewhere = home.root() / "elsewhere";
  fs::create_directory(elsewhere);
  if (!TempHome::MakeFileLink(elsewhere / "mine.rmd", elsewhere / "link") ||
      !TempHome::MakeFileLink(fs::path("..") / "elsewhere" / "link", home.store()))
    GTEST_SKIP() << "no symbolic links here";
  InjectWrite([&] { return store.DeleteReminder(2); }, kNoTwo,
              [&] {
                ASSERT_TRUE(fs::is_symlink(home.store()) && fs::is_symlink(elsewhere / "link"));
                TempHome::WriteBytes(elsewhere / "mine.rmd", before);
              });
}

TEST_F(FaultInjection, ReadNeverWritesAndReportsEveryFailure) {
  RecordCopy copy;
  const auto read = [&] {
    copy = RecordCopy();
    return store.CopyRecords(Shared, copy);
  };
  Inject([&] { home.WriteStore(before); }, read,
         [&](const Status& s) {
           EXPECT_TRUE(home.StoreBytes() == before);
           EXPECT_TRUE(!s.ok() || copy.size() == 4) << "a record missed";
         });
}

TEST_F(FaultInjection, ReadHomeDirectory) {
  TempHome::WriteBytes(home.root() / "path.txt", "/srv/rem\r\n");
  Inject([] { SetHomeDirectory(Native("/before")); }, [&] { return ReadHomeDirectory(io, home.root() / "path.txt"); },
         [](const Status& s) { EXPECT_EQ(HomeDirectory(), Native(s.ok() ? "/srv/rem" : "/before")); });
  SetHomeDirectory({});
}

// A write reported as done is on the disk before it takes the store's place: the new
// file is flushed, then renamed over the old one.
TEST_F(FaultInjection, NewStoreIsFlushedBeforeItIsRenamedIntoPlace) {
  home.WriteStore(before);
  io.Arm(0, 0, false);
  ASSERT_TRUE(store.AppendReminder(kNew).ok());
  const auto& t = io.trace;
  const auto sync = std::find(std::find(t.begin(), t.end(), "Write"), t.end(), "Sync");
  EXPECT_TRUE(std::find(sync, t.end(), "Rename") != t.end()) << ::testing::PrintToString(t);
}

}  // namespace
