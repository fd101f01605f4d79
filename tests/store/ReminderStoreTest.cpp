#include "store/ReminderStore.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/OsCodes.h"
#include "store/FaultyFileIo.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

using Sharing = FileIo::Sharing;

std::vector<std::u16string> Abouts(const ReminderStore& store) {
  std::vector<std::u16string> out;
  Status s = store.ScanReminders(Sharing::Shared, [&](int, const ReminderRecord& r) {
    out.emplace_back(TrimSpaces(r.About));
    return true;
  });
  EXPECT_TRUE(s.ok()) << s.text();
  return out;
}

std::string ThreeRecords() { return RecordOf(u"one") + RecordOf(u"two") + RecordOf(u"three"); }

class StoreTest : public ::testing::Test {
 protected:
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()};
};

TEST(RecordLayout, FieldsSitAtTheirOffsetsPaddedWithSpaces) {
  std::string bytes = RecordOf(u"Dentist", u"12/06/2026", u"06:05:03 PM", u"/usr/bin/true");
  ASSERT_EQ(bytes.size(), 356u);
  EXPECT_EQ(bytes.substr(0, 80), "Dentist" + std::string(73, ' '));
  EXPECT_EQ(bytes.substr(80, 10), "12/06/2026");
  EXPECT_EQ(bytes.substr(90, 11), "06:05:03 PM");
  EXPECT_EQ(bytes.substr(101, 255), "/usr/bin/true" + std::string(242, ' '));
}

TEST(RecordLayout, LongTextsAreCutToTheirFields) {
  ReminderRecord r = MakeRecord(std::u16string(81, u'a') + u"b", u"", u"", std::u16string(300, u't'));
  EXPECT_EQ(r.About, std::u16string(80, u'a'));
  EXPECT_EQ(r.Task, std::u16string(255, u't'));
  EXPECT_EQ(DecodeRecord(EncodeRecord(r).data()).Task, r.Task);
}

TEST(RecordLayout, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  if (!CodePageIsWindows1252()) GTEST_SKIP() << "the ANSI code page is not Windows-1252";
  std::string bytes = RecordOf(u"Caf\u00e9 \u20ac \u65e5\u672c");
  EXPECT_EQ(bytes.substr(0, 9), "Caf\xe9 \x80 ??");
  EXPECT_EQ(TrimSpaces(DecodeRecord(bytes.data()).About), u"Caf\u00e9 \u20ac ??");
}

TEST_F(StoreTest, EmptyStoreScansNothingAndAppendWritesRecordOne) {
  home.WriteStore("");
  EXPECT_TRUE(Abouts(store).empty());
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"first", u"12/06/2026", u"18:05:03", u"")).ok());
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"first"));
}

TEST_F(StoreTest, MissingStoreFileIsCreatedEmptyByAScan) {
  ASSERT_FALSE(fs::exists(home.store()));
  EXPECT_TRUE(Abouts(store).empty());
  EXPECT_TRUE(fs::exists(home.store()));
  EXPECT_EQ(fs::file_size(home.store()), 0u);
}

TEST_F(StoreTest, MissingDbFolderFailsEveryScanWithThePathAndCreatesNothing) {
  fs::remove_all(home.root() / "db");
  const std::string expected = DescribeFailure(kNoSuchFolder, home.store());
  RecordCopy copy;
  std::vector<Status> results = {
      store.ScanReminders(Sharing::Shared, [](int, const ReminderRecord&) { return true; }),
      store.CopyRecords(Sharing::Shared, copy)};
  for (const Status& s : results) {
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.text(), expected);
  }
  EXPECT_FALSE(fs::exists(home.root() / "db"));
}

TEST_F(StoreTest, FirstWriteCreatesAMissingDbFolderForItsOwnerAlone) {
  fs::remove_all(home.root() / "db");
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"first", u"12/06/2026", u"18:05:03", u"")).ok());
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"first"));
#ifndef _WIN32
  EXPECT_EQ(fs::status(home.root() / "db").permissions(), fs::perms::owner_all);
#endif
}

// A home folder that does not exist, or no home folder at all: a write fails with the
// path error and creates nothing, neither the home nor a db folder at the root.
struct MissingHome {
  const char* name;
  std::function<NativePath(const TempHome&)> home;
};

void PrintTo(const MissingHome& c, std::ostream* os) { *os << c.name; }

class MissingHomeTest : public ::testing::TestWithParam<MissingHome> {};

TEST_P(MissingHomeTest, WriteFailsWithThePathAndCreatesNothing) {
  TempHome dir;
  const NativePath home = GetParam().home(dir);
  if (fs::exists(DbFolderFor(home))) GTEST_SKIP() << PathText(DbFolderFor(home)) << " exists here";
  ReminderStore store(OsFileIo::Instance(), [&] { return home; });
  Status s = store.AppendReminder(MakeRecord(u"a", u"", u"", u""));
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.text(), DescribeFailure(kNoSuchFolder, StorePathFor(home)));
  EXPECT_FALSE(fs::exists(DbFolderFor(home)));
  if (!home.empty()) {
    EXPECT_FALSE(fs::exists(home));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Homes, MissingHomeTest,
    ::testing::Values(MissingHome{"missing", [](const TempHome& d) { return (d.root() / "gone").native(); }},
                      MissingHome{"empty", [](const TempHome&) { return NativePath(); }}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(StoreTest, ScanHandsOverEachRecordOnceInOrderAndCanStop) {
  home.WriteStore(ThreeRecords());
  std::vector<int> numbers;
  ASSERT_TRUE(store.ScanReminders(Sharing::Plain, [&](int n, const ReminderRecord&) {
    numbers.push_back(n);
    return n < 2;
  }).ok());
  EXPECT_EQ(numbers, (std::vector<int>{1, 2}));
}

TEST_F(StoreTest, LeadingSpacesOfAnAboutAreLostOnTheWayThrough) {
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"  two spaces", u"", u"", u"")).ok());
  EXPECT_EQ(Abouts(store), std::vector<std::u16string>{u"two spaces"});
}

struct DamagedTail {
  std::size_t tail;
  std::size_t expectedRecord;  // where the append writes
};

void PrintTo(const DamagedTail& c, std::ostream* os) { *os << "tail" << c.tail; }

class AppendTest : public StoreTest, public ::testing::WithParamInterface<DamagedTail> {};

TEST_P(AppendTest, RecordNumberIsTheLengthOverTheRecordSizeRounded) {
  const DamagedTail c = GetParam();
  std::string before = RecordOf(u"one") + RecordOf(u"two") + std::string(c.tail, 'x');
  home.WriteStore(before);
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"new", u"12/06/2026", u"18:05:03", u"")).ok());
  std::string after = home.StoreBytes();
  const std::size_t offset = (c.expectedRecord - 1) * 356;
  ASSERT_EQ(after.size(), offset + 356);
  EXPECT_EQ(after.substr(offset), RecordOf(u"new"));
  // Everything before the new record is as it was (a gap reads as zero bytes).
  std::string kept = before.substr(0, std::min(before.size(), offset));
  kept.resize(offset, '\0');
  EXPECT_EQ(after.substr(0, offset), kept);
}

INSTANTIATE_TEST_SUITE_P(Tails, AppendTest,
                         ::testing::Values(DamagedTail{0, 3}, DamagedTail{100, 3},
                                           DamagedTail{300, 4}, DamagedTail{177, 3},
                                           DamagedTail{178, 3},  // 2.5 rounds to even
                                           DamagedTail{179, 4}));

TEST(AppendRecordNumber, HalfGoesToTheEvenNeighbour) {
  EXPECT_EQ(AppendRecordNumber(356 * 2 + 178), 3u);  // 2.5 -> 2
  EXPECT_EQ(AppendRecordNumber(356 * 3 + 178), 5u);  // 3.5 -> 4
  EXPECT_EQ(AppendRecordNumber(0), 1u);
}

TEST_F(StoreTest, AppendToAFullStoreFailsAndLeavesTheFileUnchanged) {
  std::string full;
  full.reserve(356u * 32767);
  const std::string one = RecordOf(u"r");
  for (int i = 0; i < 32767; ++i) full += one;
  home.WriteStore(full);
  Status s = store.AppendReminder(MakeRecord(u"one too many", u"", u"", u""));
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.text().find("32767"), std::string::npos);
  EXPECT_NE(s.text().find(PathText(home.store())), std::string::npos);
  EXPECT_TRUE(home.StoreBytes() == full);
}

struct DeleteCase {
  int number;
  std::vector<std::u16string> survivors;
};

void PrintTo(const DeleteCase& c, std::ostream* os) { *os << "record" << c.number; }

class DeleteTest : public StoreTest, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(DeleteTest, SurvivorsKeepTheirOrderWithoutAGap) {
  home.WriteStore(ThreeRecords());
  ASSERT_TRUE(store.DeleteReminder(GetParam().number).ok());
  EXPECT_EQ(Abouts(store), GetParam().survivors);
  EXPECT_EQ(fs::file_size(home.store()), 356u * GetParam().survivors.size());
  EXPECT_FALSE(fs::exists(home.temp()));
}

INSTANTIATE_TEST_SUITE_P(
    Positions, DeleteTest,
    ::testing::Values(DeleteCase{1, {u"two", u"three"}}, DeleteCase{2, {u"one", u"three"}},
                      DeleteCase{3, {u"one", u"two"}}, DeleteCase{0, {u"one", u"two", u"three"}},
                      DeleteCase{4, {u"one", u"two", u"three"}}));

// Records past the last number the store can give are not the program's to delete:
// every write keeps them; a delete still leaves out a damaged tail.
class BeyondTheLastNumberTest : public StoreTest, public ::testing::WithParamInterface<int> {};

TEST_P(BeyondTheLastNumberTest, DeleteKeepsTheRecordsBeyond) {
  std::string numbered;
  numbered.reserve(356u * (ReminderStore::kMaxRecords + 2) + 100);
  for (int i = 0; i < ReminderStore::kMaxRecords; ++i) numbered += RecordOf(i == 0 ? u"first" : u"r");
  const std::string beyond = RecordOf(u"beyond one") + RecordOf(u"beyond two");
  home.WriteStore(numbered + beyond + std::string(100, 't'));
  ASSERT_TRUE(store.DeleteReminder(GetParam()).ok());
  std::string expected = numbered + beyond;
  if (GetParam() <= ReminderStore::kMaxRecords)
    expected.erase(static_cast<std::size_t>(GetParam() - 1) * 356, 356);
  EXPECT_TRUE(home.StoreBytes() == expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, BeyondTheLastNumberTest,
                         ::testing::Values(1, ReminderStore::kMaxRecords, ReminderStore::kMaxRecords + 1));

TEST_F(StoreTest, DeleteIgnoresAStaleTempFile) {
  home.WriteStore(ThreeRecords());
  TempHome::WriteBytes(home.temp(), RecordOf(u"stale") + RecordOf(u"stale too") + "xx");
  ASSERT_TRUE(store.DeleteReminder(2).ok());
  EXPECT_EQ(Abouts(store), (std::vector<std::u16string>{u"one", u"three"}));
}

TEST_F(StoreTest, DeleteKeepsADamagedTailOut) {
  home.WriteStore(ThreeRecords() + std::string(100, 'x'));
  ASSERT_TRUE(store.DeleteReminder(1).ok());
  EXPECT_EQ(home.StoreBytes(), RecordOf(u"two") + RecordOf(u"three"));
}

TEST_F(StoreTest, RewriteChangesOnlyItsRecord) {
  home.WriteStore(ThreeRecords());
  ASSERT_TRUE(store.RewriteReminder(2, MakeRecord(u"TWO", u"12/07/2026", u"09:05:00", u"/bin/x")).ok());
  EXPECT_EQ(home.StoreBytes(),
            RecordOf(u"one") + RecordOf(u"TWO", u"12/07/2026", u"09:05:00", u"/bin/x") + RecordOf(u"three"));
}

TEST_F(StoreTest, RewriteOfANumberThatNamesNoRecordFailsAndWritesNothing) {
  home.WriteStore(ThreeRecords());
  for (int bad : {0, -1, 4, 32767}) {
    Status s = store.RewriteReminder(bad, MakeRecord(u"x", u"", u"", u""));
    ASSERT_FALSE(s.ok()) << bad;
    EXPECT_NE(s.text().find("Bad record number " + std::to_string(bad)), std::string::npos) << s.text();
    EXPECT_EQ(home.StoreBytes(), ThreeRecords());
  }
}

// Which record a rewrite of a listed reminder changes: the preferred one while it still
// shows the list's four texts, else the first that does, else none.
struct ShownCase {
  const char* name;
  int preferred;
  ShownTexts shown;
  int expected;  // 0: nothing is written
};

void PrintTo(const ShownCase& c, std::ostream* os) { *os << c.name; }

class RewriteShownTest : public StoreTest, public ::testing::WithParamInterface<ShownCase> {};

TEST_P(RewriteShownTest, RewritesTheRecordThatStillShowsTheTexts) {
  const std::vector<std::string> records = {
      RecordOf(u"Meeting", u"12/07/2026", u"09:00:00"), RecordOf(u"other", u"12/07/2026", u"09:00:00"),
      RecordOf(u"Meeting", u"12/07/2026", u"09:00:00"), RecordOf(u"Meeting", u"12/08/2026", u"10:00:00"),
      RecordOf(u"MEETING", u"12/07/2026", u"09:00:00", u"/bin/x")};
  std::string before;
  for (const std::string& r : records) before += r;
  home.WriteStore(before);
  int found = -1;
  ASSERT_TRUE(store.FindShownRecord(GetParam().preferred, GetParam().shown, found).ok());
  EXPECT_EQ(found, GetParam().expected);

  const Status s = store.RewriteShownReminder(GetParam().preferred, GetParam().shown,
                                              MakeRecord(u"edited", u"12/09/2026", u"11:00:00", u""));
  std::string expected = before;
  if (GetParam().expected != 0) {
    ASSERT_TRUE(s.ok()) << s.text();
    const std::size_t at = static_cast<std::size_t>(GetParam().expected - 1) * 356;
    expected.replace(at, 356, RecordOf(u"edited", u"12/09/2026", u"11:00:00"));
  } else {
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.text().find(PathText(home.store())), std::string::npos) << s.text();
  }
  EXPECT_TRUE(home.StoreBytes() == expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RewriteShownTest,
    ::testing::Values(
        ShownCase{"selected_of_two_equal", 3, {u"Meeting", u"12/07/2026", u"09:00:00", u""}, 3},
        ShownCase{"selected_first", 1, {u"Meeting", u"12/07/2026", u"09:00:00", u""}, 1},
        ShownCase{"selected_changed_falls_back_to_first_equal", 2, {u"Meeting", u"12/07/2026", u"09:00:00", u""}, 1},
        ShownCase{"selected_past_the_end", 9, {u"Meeting", u"12/08/2026", u"10:00:00", u""}, 4},
        ShownCase{"same_about_other_date", 4, {u"Meeting", u"12/09/2026", u"10:00:00", u""}, 0},
        ShownCase{"same_about_other_time", 4, {u"Meeting", u"12/08/2026", u"10:00:01", u""}, 0},
        ShownCase{"same_texts_other_task", 5, {u"MEETING", u"12/07/2026", u"09:00:00", u""}, 0},
        ShownCase{"about_in_other_letter_case", 5, {u"meeting", u"12/07/2026", u"09:00:00", u"/bin/x"}, 0},
        ShownCase{"removed", 2, {u"gone", u"12/07/2026", u"09:00:00", u""}, 0}),
    [](const auto& p) { return std::string(p.param.name); });

// The three writes on a store of three records, and the bytes each leaves there.
struct Write {
  const char* name;
  std::function<Status(ReminderStore&)> run;
  std::string expected;
};

void PrintTo(const Write& w, std::ostream* os) { *os << w.name; }

class WriteTest : public StoreTest, public ::testing::WithParamInterface<Write> {};

TEST_P(WriteTest, ReadOnlyStoreIsRefusedAndKeptAsItWas) {
  home.WriteStore(ThreeRecords());
  const fs::perms readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(home.store(), readOnly);
  Status s = GetParam().run(store);
  const fs::perms after = fs::status(home.store()).permissions();
  fs::permissions(home.store(), fs::perms::owner_write, fs::perm_options::add);  // to clean up
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.text(), DescribeFailure(kAccessDenied, home.store()));
  EXPECT_EQ(home.StoreBytes(), ThreeRecords());
  EXPECT_EQ(after & fs::perms::all, readOnly);
  EXPECT_FALSE(fs::exists(home.temp()));
}

TEST_P(WriteTest, StoreThatIsALinkIsWrittenThroughToItsTarget) {
  // db/reminders.rmd -> ../elsewhere/link (relative to the link's folder) -> the file.
  const fs::path elsewhere = home.root() / "elsewhere";
  fs::create_directory(elsewhere);
  TempHome::WriteBytes(elsewhere / "mine.rmd", ThreeRecords());
  if (!TempHome::MakeFileLink(elsewhere / "mine.rmd", elsewhere / "link") ||
      !TempHome::MakeFileLink(fs::path("..") / "elsewhere" / "link", home.store()))
    GTEST_SKIP() << "no symbolic links here";
  Status s = GetParam().run(store);
  ASSERT_TRUE(s.ok()) << s.text();
  EXPECT_TRUE(fs::is_symlink(home.store()));
  EXPECT_TRUE(fs::is_symlink(elsewhere / "link"));
  EXPECT_EQ(TempHome::ReadBytes(elsewhere / "mine.rmd"), GetParam().expected);
  std::vector<fs::path> left;
  for (const auto& folder : {elsewhere, home.root() / "db"})
    for (const auto& entry : fs::directory_iterator(folder)) left.push_back(entry.path().filename());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<fs::path>{"link", "mine.rmd", "reminders.lock", "reminders.rmd"}));
}

INSTANTIATE_TEST_SUITE_P(
    Writes, WriteTest,
    ::testing::Values(
        Write{"append", [](ReminderStore& s) { return s.AppendReminder(MakeRecord(u"four", u"12/06/2026", u"18:05:03", u"")); },
              ThreeRecords() + RecordOf(u"four")},
        Write{"rewrite", [](ReminderStore& s) { return s.RewriteReminder(2, MakeRecord(u"TWO", u"12/06/2026", u"18:05:03", u"")); },
              RecordOf(u"one") + RecordOf(u"TWO") + RecordOf(u"three")},
        Write{"delete", [](ReminderStore& s) { return s.DeleteReminder(2); }, RecordOf(u"one") + RecordOf(u"three")}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(StoreTest, TrailingPieceOfARecordIsNotHandedOver) {
  for (std::size_t tail : {100u, 300u}) {
    home.WriteStore(ThreeRecords() + std::string(tail, 'z'));
    EXPECT_EQ(Abouts(store).size(), 3u);
    EXPECT_EQ(fs::file_size(home.store()), 3 * 356 + tail);  // a read writes nothing
  }
}

}  // namespace

namespace {

// Damaged stores are read without a crash: whole records are handed over, the damaged
// tail is left alone, and a read writes nothing.
struct Damage {
  const char* name;
  std::function<std::string(std::string)> apply;
  std::size_t wholeRecords;
};

void PrintTo(const Damage& d, std::ostream* os) { *os << d.name; }

class DamagedStoreTest : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedStoreTest, ReadsWholeRecordsAndWritesNothing) {
  TempHome home;
  ReminderStore store(OsFileIo::Instance(), home.home());
  const std::string damaged = GetParam().apply(RecordOf(u"one") + RecordOf(u"two") + RecordOf(u"three"));
  home.WriteStore(damaged);
  std::size_t seen = 0;
  ASSERT_TRUE(store.ScanReminders(FileIo::Sharing::Shared, [&](int n, const ReminderRecord& r) {
    EXPECT_EQ(static_cast<std::size_t>(n), ++seen);
    EXPECT_EQ(r.About.size(), ReminderRecord::kAboutWidth);
    return true;
  }).ok());
  EXPECT_EQ(seen, GetParam().wholeRecords);
  RecordCopy copy;
  ASSERT_TRUE(store.CopyRecords(FileIo::Sharing::Shared, copy).ok());
  EXPECT_EQ(copy.size(), GetParam().wholeRecords);
  EXPECT_TRUE(home.StoreBytes() == damaged);
}

INSTANTIATE_TEST_SUITE_P(
    Damages, DamagedStoreTest,
    ::testing::Values(
        Damage{"truncated", [](std::string b) { return b.substr(0, 500); }, 1},
        Damage{"partial_record", [](std::string b) { return b + std::string(200, 'p'); }, 3},
        Damage{"zero_filled", [](std::string b) { return std::string(b.size(), '\0'); }, 3},
        Damage{"flipped_bytes",
               [](std::string b) {
                 for (std::size_t i = 0; i < b.size(); i += 7) b[i] = static_cast<char>(~b[i]);
                 return b;
               },
               3}),
    [](const auto& param) { return std::string(param.param.name); });

}  // namespace
