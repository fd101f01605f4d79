// Every I/O call of every store operation is failed on purpose, once and then for good,
// with each kind of failure; the store must be exactly as before, or exactly as intended
// after a reported success.
#include <gtest/gtest.h>

#include <cstdio>

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
const Fault kFaults[] = {{"no space", kDiskFull, false},
                         {"I/O error", kIoError, false},
                         {"permission denied", kAccessDenied, false},
                         {"short write", kDiskFull, true}};
// Failing calls are counted over every call, so the syncs and closes fail in turn too.

struct Operation {
  const char* name;
  std::function<Status(ReminderStore&)> run;
  std::string expected;  // the store's bytes after a success
  std::string before;    // the store's bytes before it
  std::function<void()> prepare = nullptr;  // puts the store in place; by default a file of `before`
};

class FaultInjection : public ::testing::Test {
 protected:
  static int points;
  static void TearDownTestSuite() {
    std::printf("fault injection: %d injection points run\n", points);
  }

  const std::string before = RecordOf(u"one") + RecordOf(u"two") + RecordOf(u"three") +
                             RecordOf(u"four") + std::string(100, 'x');
  TempHome home;
  FaultyFileIo io;
  ReminderStore store{io, home.home()};
  ReminderStore clean{OsFileIo::Instance(), home.home()};

  // Runs `op` with call `at` failing; false once `at` is past the operation's last call.
  bool RunWithFault(const Operation& op, const Fault& fault, bool sticky, int at) {
    if (op.prepare)
      op.prepare();
    else
      home.WriteStore(op.before);
    io.Arm(at, fault.error, sticky, fault.shortWrite);
    Status s = op.run(store);
    const int calls = io.calls;
    io.Disarm();
    ++points;

    const std::string where = std::string(op.name) + ", " + fault.name + (sticky ? " for good" : " once") +
                              ", call " + std::to_string(at);
    EXPECT_TRUE(io.open.empty()) << where << ": a file is left open";
    EXPECT_TRUE(io.locks.empty()) << where << ": the lock is still held";
    const std::string after = home.StoreBytes();
    if (s.ok())
      EXPECT_TRUE(after == op.expected) << where << ": success without the new bytes";
    else
      EXPECT_TRUE(after == op.before) << where << ": failure changed the store: " << s.text();
    // The next operation leaves no temp file behind, wherever the store lives.
    EXPECT_TRUE(clean.DeleteReminder(0).ok());
    for (const auto& entry : fs::recursive_directory_iterator(home.root()))
      EXPECT_EQ(entry.path().filename().string().find("temp"), std::string::npos) << where;
    return at <= calls;
  }

  void RunAll(const Operation& op) {
    for (const Fault& fault : kFaults)
      for (bool sticky : {false, true})
        for (int at = 1; RunWithFault(op, fault, sticky, at); ++at) {
        }
  }
};
int FaultInjection::points = 0;

TEST_F(FaultInjection, Append) {
  const ReminderRecord r = MakeRecord(u"new", u"12/06/2026", u"18:05:03", u"");
  std::string expected = before.substr(0, 4 * 356) + RecordOf(u"new");
  RunAll({"append", [&](ReminderStore& s) { return s.AppendReminder(r); }, expected, before});
}

TEST_F(FaultInjection, FirstAppendCreatingTheDbFolder) {
  const ReminderRecord r = MakeRecord(u"new", u"12/06/2026", u"18:05:03", u"");
  RunAll({"first append", [&](ReminderStore& s) { return s.AppendReminder(r); }, RecordOf(u"new"), "",
          [&] { fs::remove_all(home.root() / "db"); }});
}

TEST_F(FaultInjection, DeleteThroughALink) {
  const fs::path target = home.root() / "elsewhere" / "mine.rmd";
  fs::create_directory(target.parent_path());
  if (!TempHome::MakeFileLink(target, home.store())) GTEST_SKIP() << "no symbolic links here";
  std::string expected = RecordOf(u"one") + RecordOf(u"three") + RecordOf(u"four");
  RunAll({"delete through a link", [&](ReminderStore& s) { return s.DeleteReminder(2); }, expected, before,
          [&] {
            ASSERT_TRUE(fs::is_symlink(home.store()));
            TempHome::WriteBytes(target, before);
          }});
}

TEST_F(FaultInjection, Rewrite) {
  const ReminderRecord r = MakeRecord(u"TWO", u"12/07/2026", u"09:05:00", u"/bin/two");
  std::string expected = before;
  expected.replace(356, 356, RecordOf(u"TWO", u"12/07/2026", u"09:05:00", u"/bin/two"));
  RunAll({"rewrite", [&](ReminderStore& s) { return s.RewriteReminder(2, r); }, expected, before});
}

TEST_F(FaultInjection, Delete) {
  std::string expected = RecordOf(u"one") + RecordOf(u"three") + RecordOf(u"four");
  RunAll({"delete", [&](ReminderStore& s) { return s.DeleteReminder(2); }, expected, before});
}

TEST_F(FaultInjection, ScanNeverWritesAndReportsEveryFailure) {
  for (const Fault& fault : kFaults) {
    for (bool sticky : {false, true}) {
      for (int at = 1;; ++at) {
        home.WriteStore(before);
        io.Arm(at, fault.error, sticky, fault.shortWrite);
        int seen = 0;
        Status s = store.ScanReminders(FileIo::Sharing::Shared, [&](int, const ReminderRecord&) {
          ++seen;
          return true;
        });
        const int calls = io.calls;
        io.Disarm();
        ++points;
        EXPECT_TRUE(io.open.empty());
        EXPECT_TRUE(home.StoreBytes() == before);
        if (s.ok()) {
          EXPECT_EQ(seen, 4) << "a scan reported success after a failed read";
        }
        if (at > calls) break;
      }
    }
  }
}

TEST_F(FaultInjection, ReadHomeDirectory) {
  TempHome::WriteBytes(home.root() / "path.txt", "/srv/rem\r\n");
  for (const Fault& fault : kFaults) {
    for (bool sticky : {false, true}) {
      for (int at = 1;; ++at) {
        SetHomeDirectory(Native("/before"));
        io.Arm(at, fault.error, sticky, fault.shortWrite);
        Status s = ReadHomeDirectory(io, home.root() / "path.txt");
        const int calls = io.calls;
        io.Disarm();
        ++points;
        EXPECT_TRUE(io.open.empty());
        EXPECT_EQ(HomeDirectory(), Native(s.ok() ? "/srv/rem" : "/before"));
        if (at > calls) break;
      }
    }
  }
  SetHomeDirectory({});
}

}  // namespace
