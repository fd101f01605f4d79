#include "store/ReminderStore.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/OsCodes.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

using Sharing = FileIo::Sharing;
constexpr int kMax = ReminderStore::kMaxRecords;

// `n` records about "1" to "n", then a damaged tail of `tail` bytes.
std::string Records(int n, std::size_t tail = 0) {
  std::string bytes;
  for (int i = 1; i <= n; ++i) bytes += RecordOf(Utf8ToUtf16(std::to_string(i)));
  return bytes + std::string(tail, 'x');
}
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

TEST_F(StoreTest, ReadCreatesAMissingStoreEmpty) {
  RecordCopy copy;
  ASSERT_TRUE(store.CopyRecords(Sharing::Plain, copy).ok());
  EXPECT_EQ(copy.size(), 0u);
  EXPECT_TRUE(fs::exists(home.store()));
}

#ifndef _WIN32
TEST_F(StoreTest, FirstWriteCreatesTheDbFolderForItsOwnerAlone) {
  fs::remove_all(home.root() / "db");
  ASSERT_TRUE(store.AppendReminder(kNew).ok());
  EXPECT_EQ(fs::status(home.root() / "db").permissions(), fs::perms::owner_all);
}
#endif

// A home folder that does not exist, or none at all: a write creates nothing, neither
// the home nor a db folder at the root.
class MissingHomeTest : public ::testing::TestWithParam<bool> {};

TEST_P(MissingHomeTest, WriteFailsWithThePathAndCreatesNothing) {
  TempHome dir;
  const NativePath home = GetParam() ? NativePath() : (dir.root() / "gone").native();
  if (fs::exists(DbFolderFor(home))) GTEST_SKIP() << PathText(DbFolderFor(home)) << " exists here";
  const Status s = ReminderStore(OsFileIo::Instance(), [&] { return home; }).AppendReminder(kNew);
  EXPECT_EQ(s.text(), DescribeFailure(kNoSuchFolder, StorePathFor(home)));
  EXPECT_FALSE(fs::exists(DbFolderFor(home)) || fs::exists(dir.root() / "gone"));
}

INSTANTIATE_TEST_SUITE_P(Homes, MissingHomeTest, ::testing::Bool());

// A write on `records` records and a damaged tail of `tail` bytes, beside a stale temp
// file. It either succeeds, appending the new record as record `at` or deleting record
// `at` (0: none), or it fails with `failure` in its text and leaves the store as it was.
// A plain append, delete and rewrite are the fault injection's clean runs.
enum class Op { Append, Delete, DeleteChanged, Rewrite };

struct WriteCase {
  const char* name;
  int records;
  std::size_t tail;
  Op op;
  int number;  // the record a delete or rewrite names
  int at;
  const char* failure = nullptr;
};

Status Write(ReminderStore& store, const WriteCase& c) {
  if (c.op == Op::Append) return store.AppendReminder(kNew);
  if (c.op == Op::Rewrite) return store.RewriteReminder(c.number, kNew);
  if (c.op == Op::DeleteChanged) return store.DeleteReminder(c.number, [](const ReminderRecord&) { return false; });
  return store.DeleteReminder(c.number);
}

// An append cuts the bytes before its record, or fills them up with zeros; a delete
// drops the damaged tail too.
std::string AfterWrite(std::string bytes, const WriteCase& c) {
  if (c.op == Op::Append) {
    bytes.resize((c.at - 1) * kRecordSize, '\0');
    return bytes + RecordOf(u"new");
  }
  bytes.resize(bytes.size() / kRecordSize * kRecordSize);
  if (c.at > 0) bytes.erase((c.at - 1) * kRecordSize, kRecordSize);
  return bytes;
}

class WriteTest : public StoreTest, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteTest, LeavesTheIntendedBytesOrNoChange) {
  const WriteCase& c = GetParam();
  const std::string before = Records(c.records, c.tail);
  home.WriteStore(before);
  TempHome::WriteBytes(home.temp(), Records(2, 2));
  const Status s = Write(store, c);
  if (c.failure) {
    EXPECT_NE(s.text().find(c.failure), std::string::npos) << s.text();
    EXPECT_NE(s.text().find(PathText(home.store())), std::string::npos) << s.text();
    EXPECT_TRUE(home.StoreBytes() == before);
  } else {
    ASSERT_TRUE(s.ok()) << s.text();
    EXPECT_FALSE(fs::exists(home.temp()));
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
                      WriteCase{"rewrite_0", 3, 0, Op::Rewrite, 0, 0, "Bad record number 0"},
                      WriteCase{"rewrite_beyond_the_last_number", kFull, 0, Op::Rewrite, kFull - 1, 0,
                                "Bad record number 32768"}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(StoreTest, ReadOnlyStoreIsRefusedAndKeptAsItWas) {
  home.WriteStore(Records(3));
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(home.store(), readOnly);
  const Status s = store.DeleteReminder(2);
  const fs::perms after = fs::status(home.store()).permissions();
  fs::permissions(home.store(), fs::perms::owner_write, fs::perm_options::add);  // to clean up
  EXPECT_EQ(s.text(), DescribeFailure(kAccessDenied, home.store()));
  EXPECT_TRUE(home.StoreBytes() == Records(3) && (after & fs::perms::all) == readOnly && !fs::exists(home.temp()));
}

// Which record a rewrite of a listed reminder changes: the preferred one while it still
// shows the list's four texts, else the first that does, else none.
struct ShownCase {
  const char* name;
  int preferred;
  ShownTexts shown;
  int expected; /* 0: nothing is written */
};

class RewriteShownTest : public StoreTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(RewriteShownTest, RewritesTheRecordThatStillShowsTheTexts) {
  const std::string before =
      RecordOf(u"Meeting", u"12/07/2026", u"09:00:00") + RecordOf(u"other", u"12/07/2026", u"09:00:00") +
      RecordOf(u"Meeting", u"12/07/2026", u"09:00:00") + RecordOf(u"Meeting", u"12/08/2026", u"10:00:00") +
      RecordOf(u"MEETING", u"12/07/2026", u"09:00:00", u"/bin/x");
  home.WriteStore(before);
  const auto [name, preferred, shown, n] = GetParam();
  int found = -1;
  ASSERT_TRUE(store.FindShownRecord(preferred, shown, found).ok());
  EXPECT_EQ(found, n);
  const Status s = store.RewriteShownReminder(preferred, shown, MakeRecord(u"edited", u"12/09/2026", u"11:00:00", u""));
  EXPECT_TRUE(n ? s.ok() : s.text().find(PathText(home.store())) != std::string::npos) << s.text();
  const std::string edited = RecordOf(u"edited", u"12/09/2026", u"11:00:00");
  EXPECT_TRUE(home.StoreBytes() == (n ? std::string(before).replace((n - 1) * 356u, 356, edited) : before));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RewriteShownTest,
    ::testing::Values(
        ShownCase{"selected_of_two_equal", 3, {u"Meeting", u"12/07/2026", u"09:00:00", u""}, 3},
        ShownCase{"selected_changed_falls_back_to_first_equal", 2, {u"Meeting", u"12/07/2026", u"09:00:00", u""}, 1},
        ShownCase{"selected_past_the_end", 9, {u"Meeting", u"12/08/2026", u"10:00:00", u""}, 4},
        ShownCase{"same_about_other_time", 4, {u"Meeting", u"12/08/2026", u"10:00:01", u""}, 0},
        ShownCase{"same_texts_other_task", 5, {u"MEETING", u"12/07/2026", u"09:00:00", u""}, 0},
        ShownCase{"about_in_other_letter_case", 5, {u"meeting", u"12/07/2026", u"09:00:00", u"/bin/x"}, 0}),
    [](const auto& p) { return std::string(p.param.name); });

// A read takes the whole records before a damaged tail longer than half a record and
// writes nothing (a shorter tail is the fault injection's; other bytes the fuzz targets').
TEST_F(StoreTest, ReadLeavesALongDamagedTailAlone) {
  home.WriteStore(Records(3, 300));
  RecordCopy copy;
  ASSERT_TRUE(store.CopyRecords(Sharing::Shared, copy).ok());
  EXPECT_EQ(copy.size(), 3u);
  EXPECT_TRUE(home.StoreBytes() == Records(3, 300));
}

}  // namespace
