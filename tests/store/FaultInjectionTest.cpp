// Every I/O call of every store operation is failed on purpose, once and then for good,
// with each kind of failure; the store must be exactly as before, or exactly as intended
// after a reported success.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "platform/OsError.h"
#include "store/FaultyFileIo.h"
#include "store/ReminderStore.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

struct Fault {
  const char* name;
  int error;
  bool shortWrite;
};
// Failing calls are counted over every call, so the syncs and closes fail in turn too.
const Fault kFaults[] = {{"no space", kDiskFull, false},
                         {"I/O error", kIoError, false},
                         {"permission denied", kAccessDenied, false},
                         {"short write", kDiskFull, true}};

class FaultInjection : public ::testing::Test {
 protected:
  static int points;
  static void TearDownTestSuite() { std::printf("fault injection: %d injection points run\n", points); }

  const std::string before = RecordOf(u"one") + RecordOf(u"two") + RecordOf(u"three") +
                             RecordOf(u"four") + std::string(100, 'x');
  TempHome home;
  FaultyFileIo io;
  ReminderStore store{io, home.home()};
  ReminderStore clean{OsFileIo::Instance(), home.home()};

  // Runs `run` with each of its calls failing in turn, each fault once and for good;
  // every file is closed afterwards and a failure carries the system's description.
  void Inject(const std::function<void()>& prepare, const std::function<Status()>& run,
              const std::function<void(const Status&)>& check) {
    for (const Fault& fault : kFaults)
      for (bool sticky : {false, true})
        for (int at = 1;; ++at) {
          prepare();
          io.Arm(at, fault.error, sticky, fault.shortWrite);
          const Status s = run();
          const int calls = io.calls;
          io.Disarm();
          ++points;
          SCOPED_TRACE(std::string(fault.name) + (sticky ? " for good" : " once") + ", call " + std::to_string(at));
          EXPECT_TRUE(io.open.empty()) << "a file is left open";
          EXPECT_TRUE(io.locks.empty()) << "the lock is still held";
          if (!s.ok()) {
            EXPECT_NE(s.text().find(OsErrorText(fault.error)), std::string::npos) << s.text();
          }
          check(s);
          if (at > calls) break;
        }
  }

  void InjectWrite(const std::function<Status()>& run, const std::string& expected, const std::string& was,
                   const std::function<void()>& prepare) {
    Inject(prepare, run, [&](const Status& s) {
      EXPECT_TRUE(home.StoreBytes() == (s.ok() ? expected : was)) << s.text();
      // The next write leaves no temp file behind, wherever the store lives.
      EXPECT_TRUE(clean.DeleteReminder(0).ok());
      for (const auto& entry : fs::recursive_directory_iterator(home.root()))
        EXPECT_EQ(entry.path().filename().string().find("temp"), std::string::npos);
    });
  }
  void InjectWrite(const std::function<Status()>& run, const std::string& expected) {
    InjectWrite(run, expected, before, [&] { home.WriteStore(before); });
  }
};
int FaultInjection::points = 0;

const ReminderRecord kNew = MakeRecord(u"new", u"12/06/2026", u"18:05:03", u"");

TEST_F(FaultInjection, Append) {
  InjectWrite([&] { return store.AppendReminder(kNew); }, before.substr(0, 4 * 356) + RecordOf(u"new"));
}

TEST_F(FaultInjection, FirstAppendCreatingTheDbFolder) {
  InjectWrite([&] { return store.AppendReminder(kNew); }, RecordOf(u"new"), "",
              [&] { fs::remove_all(home.root() / "db"); });
}

TEST_F(FaultInjection, Rewrite) {
  std::string expected = before;
  expected.replace(356, 356, RecordOf(u"TWO", u"12/07/2026", u"09:05:00", u"/bin/two"));
  InjectWrite([&] { return store.RewriteReminder(2, MakeRecord(u"TWO", u"12/07/2026", u"09:05:00", u"/bin/two")); },
              expected);
}

TEST_F(FaultInjection, Delete) {
  InjectWrite([&] { return store.DeleteReminder(2); }, RecordOf(u"one") + RecordOf(u"three") + RecordOf(u"four"));
}

// db/reminders.rmd -> ../elsewhere/link (relative to the link's folder) -> the file: the
// write goes through to the file, and both links stay links.
TEST_F(FaultInjection, DeleteThroughLinks) {
  const fs::path elsewhere = home.root() / "elsewhere";
  fs::create_directory(elsewhere);
  if (!TempHome::MakeFileLink(elsewhere / "mine.rmd", elsewhere / "link") ||
      !TempHome::MakeFileLink(fs::path("..") / "elsewhere" / "link", home.store()))
    GTEST_SKIP() << "no symbolic links here";
  InjectWrite([&] { return store.DeleteReminder(2); }, RecordOf(u"one") + RecordOf(u"three") + RecordOf(u"four"),
              before, [&] {
                ASSERT_TRUE(fs::is_symlink(home.store()) && fs::is_symlink(elsewhere / "link"));
                TempHome::WriteBytes(elsewhere / "mine.rmd", before);
              });
}

TEST_F(FaultInjection, ScanNeverWritesAndReportsEveryFailure) {
  int seen = 0;
  Inject([&] { home.WriteStore(before); },
         [&] {
           seen = 0;
           return store.ScanReminders(FileIo::Sharing::Shared, [&](int, const ReminderRecord&) { return ++seen; });
         },
         [&](const Status& s) {
           EXPECT_TRUE(home.StoreBytes() == before);
           if (s.ok()) {
             EXPECT_EQ(seen, 4) << "a scan reported success after a failed read";
           }
         });
}

TEST_F(FaultInjection, ReadHomeDirectory) {
  TempHome::WriteBytes(home.root() / "path.txt", "/srv/rem\r\n");
  Inject([] { SetHomeDirectory(Native("/before")); },
         [&] { return ReadHomeDirectory(io, home.root() / "path.txt"); },
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
  std::string calls;
  for (const std::string& call : t) calls += call + " ";
  EXPECT_TRUE(std::find(sync, t.end(), "Rename") != t.end()) << calls;
}

}  // namespace
