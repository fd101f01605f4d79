// The Windows side of the core: the store's share modes and its rename over an open
// store, paths below drive roots, the user's date and time forms, FormatMessage texts,
// the ANSI code page, the registry reader (on keys of its own below HKEY_CURRENT_USER)
// and the file check. Built for Windows only; CI runs it under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "platform/Clock.h"
#include "platform/CodePage.h"
#include "platform/DateTimeForms.h"
#include "platform/FileCheck.h"
#include "platform/OsCodes.h"
#include "platform/Registry.h"
#include "platform/TaskSafety.h"
#include "store/HomeDirectory.h"
#include "store/TempHome.h"
#include "store/TextFold.h"

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

using Sharing = FileIo::Sharing;

std::string Records(int count, const char16_t* prefix = u"r") {
  std::string bytes;
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    bytes += RecordOf(prefix + std::u16string(n.begin(), n.end()));
  }
  return bytes;
}

std::u16string AboutOf(int i, const char16_t* prefix = u"r") {
  const std::string n = std::to_string(i);
  return prefix + std::u16string(n.begin(), n.end());
}

std::wstring Wide(std::u16string_view text) { return std::wstring(text.begin(), text.end()); }

// ---- The store's opens -------------------------------------------------------------

class WindowsStore : public ::testing::Test {
 protected:
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()};
  ReminderStore other{OsFileIo::Instance(), home.home()};  // another window or program

  // A store larger than one read of a scan, so a scan goes back to the file after a
  // change made from inside its visitor.
  static constexpr int kRecords = 1500;
};

TEST_F(WindowsStore, ScanKeepsReadingTheOldStoreWhileADeleteReplacesIt) {
  for (Sharing sharing : {Sharing::Shared, Sharing::Plain}) {
    home.WriteStore(Records(kRecords));
    std::vector<std::u16string> seen;
    Status deleted = Status::Failure("not run");
    Status scan = store.ScanReminders(sharing, [&](int n, const ReminderRecord& r) {
      if (n == 1) deleted = other.DeleteReminder(kRecords);  // the check's box is open meanwhile
      seen.emplace_back(TrimSpaces(r.About));
      return true;
    });
    ASSERT_TRUE(scan.ok()) << scan.text();
    ASSERT_TRUE(deleted.ok()) << deleted.text();
    // The scan saw the store it opened, whole; the store on disk lost its last record.
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(kRecords));
    EXPECT_EQ(seen.back(), AboutOf(kRecords));
    EXPECT_EQ(home.StoreBytes(), Records(kRecords - 1));
    EXPECT_FALSE(fs::exists(home.temp()));
    // Where the old store had to move aside for the reader, it is gone once read.
    EXPECT_FALSE(fs::exists(home.root() / "db" / "reminders.rmd.old"));
  }
}

TEST_F(WindowsStore, AppendAndRewriteReplaceAStoreThatAScanHoldsOpen) {
  home.WriteStore(Records(kRecords));
  Status appended = Status::Failure("not run"), rewritten = Status::Failure("not run");
  int seen = 0;
  ASSERT_TRUE(store.ScanReminders(Sharing::Shared, [&](int n, const ReminderRecord&) {
    if (n == 1) {
      appended = other.AppendReminder(MakeRecord(u"added", u"12/6/2026", u"6:31:29 PM", u""));
      rewritten = other.RewriteReminder(2, MakeRecord(u"changed", u"12/6/2026", u"6:31:29 PM", u""));
    }
    ++seen;
    return true;
  }).ok());
  ASSERT_TRUE(appended.ok()) << appended.text();
  ASSERT_TRUE(rewritten.ok()) << rewritten.text();
  EXPECT_EQ(seen, kRecords);
  std::string expected = Records(kRecords) + RecordOf(u"added", u"12/6/2026", u"6:31:29 PM");
  expected.replace(356, 356, RecordOf(u"changed", u"12/6/2026", u"6:31:29 PM"));
  EXPECT_TRUE(home.StoreBytes() == expected);
}

TEST_F(WindowsStore, SharedOpensLetOthersWritePlainOpensLetThemOnlyRead) {
  home.WriteStore(Records(2));
  OsFileIo& io = OsFileIo::Instance();
  struct Case {
    Sharing held;
    FileIo::Intent second;
    bool opens;
  };
  for (const Case& c : {Case{Sharing::Shared, FileIo::Intent::UpdateCreate, true},
                        Case{Sharing::Shared, FileIo::Intent::ReadCreate, true},
                        Case{Sharing::Plain, FileIo::Intent::ReadCreate, true},
                        Case{Sharing::Plain, FileIo::Intent::UpdateCreate, false}}) {
    FileIo::Handle held = 0, second = 0;
    ASSERT_EQ(io.Open(home.store(), FileIo::Intent::ReadCreate, c.held, held), 0);
    const int err = io.Open(home.store(), c.second, Sharing::Shared, second);
    EXPECT_EQ(err == 0, c.opens) << "held " << (c.held == Sharing::Shared ? "shared" : "plain");
    if (!c.opens) {
      EXPECT_EQ(err, ERROR_SHARING_VIOLATION);
    }
    if (err == 0) io.Close(second);
    io.Close(held);
  }
}

TEST_F(WindowsStore, StoreLockedByAnotherProgramFailsWithTheOsTextAndChangesNothing) {
  const std::string before = Records(3);
  home.WriteStore(before);
  // An older program that opened the store without sharing it.
  HANDLE exclusive = CreateFileW(home.store().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  const std::string expected = DescribeFailure(ERROR_SHARING_VIOLATION, home.store());
  Status scan = store.ScanReminders(Sharing::Shared, [](int, const ReminderRecord&) { return true; });
  Status remove = store.DeleteReminder(1);
  Status append = store.AppendReminder(MakeRecord(u"x", u"", u"", u""));
  CloseHandle(exclusive);
  for (const Status* s : {&scan, &remove, &append}) {
    ASSERT_FALSE(s->ok());
    EXPECT_EQ(s->text(), expected);
  }
  EXPECT_TRUE(home.StoreBytes() == before);
  EXPECT_FALSE(fs::exists(home.temp()));
  ASSERT_TRUE(store.DeleteReminder(1).ok());  // nothing was left open or locked
  EXPECT_EQ(home.StoreBytes(), before.substr(356));
}

TEST_F(WindowsStore, WriterWaitsForTheLockAndGivesUpWithABusyMessage) {
  home.WriteStore(Records(2));
  OsFileIo& io = OsFileIo::Instance();
  FileIo::Handle lock = 0;
  ASSERT_EQ(io.TryLock(store.LockPath(), lock), 0);
  FileIo::Handle second = 0;
  EXPECT_EQ(io.TryLock(store.LockPath(), second), kLockBusyError);
  store.SetLockWait(milliseconds{60});
  Status s = store.AppendReminder(MakeRecord(u"waits", u"", u"", u""));
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.text(), "The store is busy: another program is changing it: " + PathText(home.store()));
  EXPECT_EQ(home.StoreBytes(), Records(2));
  ASSERT_EQ(io.Unlock(lock), 0);
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"r3", u"12/06/2026", u"18:05:03", u"")).ok());
  EXPECT_EQ(home.StoreBytes(), Records(3));
  EXPECT_TRUE(fs::exists(home.root() / "db" / "reminders.lock"));
}

TEST_F(WindowsStore, ReadOfAFolderInPlaceOfTheStoreFailsWithTheOsText) {
  fs::create_directory(home.store());
  Status s = store.ScanReminders(Sharing::Shared, [](int, const ReminderRecord&) { return true; });
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.text(), DescribeFailure(ERROR_ACCESS_DENIED, home.store()));
}

// ---- Paths -------------------------------------------------------------------------

TEST(WindowsPaths, StoreIsHomeThenDbThenNameWithBackslashes) {
  struct Case {
    const wchar_t* home;
    const wchar_t* store;
    const wchar_t* temp;
  };
  for (const Case& c : {Case{L"C:\\Apps\\Remind", L"C:\\Apps\\Remind\\db\\reminders.rmd", L"C:\\Apps\\Remind\\db\\temp"},
                        Case{L"C:\\", L"C:\\\\db\\reminders.rmd", L"C:\\\\db\\temp"},
                        Case{L"\\\\server\\share", L"\\\\server\\share\\db\\reminders.rmd", L"\\\\server\\share\\db\\temp"},
                        Case{L"", L"\\db\\reminders.rmd", L"\\db\\temp"}}) {
    EXPECT_EQ(StorePathFor(c.home).native(), c.store);
    EXPECT_EQ(TempPathFor(c.home).native(), c.temp);
  }
}

TEST(WindowsPaths, DoubledBackslashAfterADriveRootAddressesTheFileBelowTheRoot) {
  wchar_t full[MAX_PATH];
  ASSERT_GT(GetFullPathNameW(StorePathFor(L"C:\\").c_str(), MAX_PATH, full, nullptr), 0u);
  EXPECT_STREQ(full, L"C:\\db\\reminders.rmd");
}

TEST(WindowsPaths, HomeEndingInABackslashStoresBelowIt) {
  TempHome dir;
  const NativePath withSlash = dir.root().native() + L"\\";
  ReminderStore store(OsFileIo::Instance(), [&] { return withSlash; });
  EXPECT_EQ(store.StorePath().native(), dir.root().native() + L"\\\\db\\reminders.rmd");
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"below the root", u"12/06/2026", u"18:05:03", u"")).ok());
  EXPECT_EQ(dir.StoreBytes(), RecordOf(u"below the root"));
  int found = 0;
  ASSERT_TRUE(store.ScanReminders(Sharing::Shared, [&](int n, const ReminderRecord&) { return found = n, true; }).ok());
  EXPECT_EQ(found, 1);
  ASSERT_TRUE(store.DeleteReminder(1).ok());
  EXPECT_EQ(dir.StoreBytes(), "");
}

TEST(WindowsPaths, EmptyHomeAddressesTheRootOfTheCurrentDriveAndFailsThere) {
  if (GetFileAttributesW(L"\\db") != INVALID_FILE_ATTRIBUTES)
    GTEST_SKIP() << "this drive has a \\db folder";
  ReminderStore store(OsFileIo::Instance(), [] { return NativePath(); });
  Status s = store.ScanReminders(Sharing::Shared, [](int, const ReminderRecord&) { return true; });
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.text(), DescribeFailure(ERROR_PATH_NOT_FOUND, L"\\db\\reminders.rmd"));
}

TEST(WindowsPaths, FolderOutsideTheCodePageWorksAndIsNamedInUtf8) {
  TempHome dir;
  const fs::path wideHome = dir.root() / L"J\u00fcrgen \u65e5\u672c";
  std::error_code ec;
  fs::create_directories(wideHome / "db", ec);
  // Wine keeps names in the Linux locale's character set; Windows always can.
  if (ec) GTEST_SKIP() << "the file system cannot hold the name here (Wine under a non-UTF-8 locale?)";
  ReminderStore store(OsFileIo::Instance(), [&] { return wideHome.native(); });
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"wide", u"12/06/2026", u"18:05:03", u"")).ok());
  EXPECT_EQ(TempHome::ReadBytes(wideHome / "db" / "reminders.rmd"), RecordOf(u"wide"));
  fs::remove_all(wideHome / "db");
  Status s = store.ScanReminders(Sharing::Shared, [](int, const ReminderRecord&) { return true; });
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.text().find("J\xc3\xbcrgen \xe6\x97\xa5\xe6\x9c\xac\\db\\reminders.rmd"), std::string::npos)
      << s.text();
}

struct HomeFileCase {
  std::string contents;
  std::wstring home;
  std::wstring store;
};

class WindowsHomeFile : public ::testing::TestWithParam<HomeFileCase> {};

TEST_P(WindowsHomeFile, FirstItemIsTheHomeAndTheStoreIsBelowIt) {
  const NativePath home = HomeDirectoryFromFile(GetParam().contents);
  EXPECT_EQ(home, GetParam().home);
  EXPECT_EQ(StorePathFor(home).native(), GetParam().store);
}

INSTANTIATE_TEST_SUITE_P(
    PathTxt, WindowsHomeFile,
    ::testing::Values(HomeFileCase{"C:\\Apps\\Remind\r\n", L"C:\\Apps\\Remind", L"C:\\Apps\\Remind\\db\\reminders.rmd"},
                      HomeFileCase{"C:\\\r\n", L"C:\\", L"C:\\\\db\\reminders.rmd"},
                      HomeFileCase{"  D:\\My Reminders\r\nE:\\second\r\n", L"D:\\My Reminders",
                                   L"D:\\My Reminders\\db\\reminders.rmd"},
                      HomeFileCase{"\"C:\\a, b\"\r\n", L"C:\\a, b", L"C:\\a, b\\db\\reminders.rmd"}));

TEST(WindowsHomeFile, IsReadInTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP();
  EXPECT_EQ(HomeDirectoryFromFile("C:\\J\xfcrgen \x80\r\n"), L"C:\\J\u00fcrgen \u20ac");
}

TEST(WindowsHomeFile, MissingFileIsReportedWithTheOsTextAndTheFullPath) {
  TempHome dir;
  const fs::path file = dir.root() / "path.txt";
  SetHomeDirectory(L"C:\\unchanged");
  Status s = ReadHomeDirectory(OsFileIo::Instance(), file);
  ASSERT_FALSE(s.ok());
  EXPECT_EQ(s.text(), DescribeFailure(ERROR_FILE_NOT_FOUND, file));
  TempHome::WriteBytes(file, "C:\\Apps\\Remind\r\n");
  ASSERT_TRUE(ReadHomeDirectory(OsFileIo::Instance(), file).ok());
  EXPECT_EQ(HomeDirectory(), L"C:\\Apps\\Remind");
  SetHomeDirectory({});
}

// ---- Date and time forms -----------------------------------------------------------

std::wstring UserLocaleName() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
  return name;
}

TEST(WindowsForms, EnglishUsGivesTheShortDateAndTheLongTime) {
  if (UserLocaleName() != L"en-US") GTEST_SKIP() << "the user's locale is not en-US";
  EXPECT_EQ(DateText(year{2026} / 12 / 6), u"12/6/2026");
  EXPECT_EQ(TimeText(hours{18} + minutes{31} + seconds{29}), u"6:31:29 PM");
  EXPECT_EQ(TimeText(seconds{0}), u"12:00:00 AM");
  EXPECT_EQ(DateText(year{2026} / 12 / 28), u"12/28/2026");
  EXPECT_EQ(TimeText(hours{12} + minutes{59} + seconds{59}), u"12:59:59 PM");
}

TEST(WindowsForms, TheUsersOwnFormIsUsedWhereItFits) {
  // The user's short date and long time, straight from the OS.
  SYSTEMTIME st{};
  st.wYear = 2026;
  st.wMonth = 12;
  st.wDay = 6;
  st.wHour = 18;
  st.wMinute = 31;
  st.wSecond = 29;
  wchar_t date[96], time[96];
  ASSERT_GT(GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 96, nullptr), 0);
  ASSERT_GT(GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, time, 96), 0);
  if (wcslen(date) <= 10) {
    EXPECT_EQ(Wide(DateText(year{2026} / 12 / 6)), date);
  }
  if (wcslen(time) <= 11) {
    EXPECT_EQ(Wide(TimeText(hours{18} + minutes{31} + seconds{29})), time);
  }
}

// The user's short date of 12/28/2026 and long time of 12:59:59, straight from the OS.
std::wstring UserText(bool date) {
  SYSTEMTIME st{};
  st.wYear = 2026;
  st.wMonth = 12;
  st.wDay = 28;
  st.wHour = 12;
  st.wMinute = 59;
  st.wSecond = 59;
  wchar_t text[96] = {};
  if (date)
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, 96, nullptr);
  else
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 96);
  return text;
}

TEST(WindowsForms, ShortDateTooWideForTheFieldFallsBackToMonthDayYear) {
  // Hungarian, for one: 2026. 12. 28.
  if (UserText(true).size() <= 10) GTEST_SKIP() << "the user's short date fits";
  const DateTimeForms& forms = DateTimeForms::User();
  EXPECT_EQ(forms.DateText(year{2026} / 12 / 6), u"12/06/2026");
  // Read as month/day/year whatever order the user's settings have.
  EXPECT_EQ(forms.ReadDate(u"06/12/2026"), year{2026} / 6 / 12);
  EXPECT_EQ(forms.ReadDate(u" 12/6/2026 "), year{2026} / 12 / 6);
  for (std::u16string bad : {u"2026. 12. 06.", u"12/06/26", u"13/06/2026", u"12-06-2026", u"12/06/2026/1"})
    EXPECT_FALSE(forms.ReadDate(bad).has_value()) << Utf16ToUtf8(bad);
}

TEST(WindowsForms, LongTimeTooWideForTheFieldFallsBackToTwentyFourHours) {
  if (UserText(false).size() <= 11) GTEST_SKIP() << "the user's long time fits";
  const DateTimeForms& forms = DateTimeForms::User();
  EXPECT_EQ(forms.TimeText(hours{18} + minutes{31} + seconds{29}), u"18:31:29");
  EXPECT_EQ(forms.ReadTime(u"6:05:03"), hours{6} + minutes{5} + seconds{3});
  EXPECT_FALSE(forms.ReadTime(u"24:00:00").has_value());
}

TEST(WindowsForms, EveryDateAndTimeFitsItsFieldAndReadsBack) {
  const DateTimeForms& forms = DateTimeForms::User();
  for (int y : {1999, 2026, 2099}) {
    for (unsigned m = 1; m <= 12; ++m) {
      for (unsigned d : {1u, 9u, 12u, 28u}) {
        const year_month_day date = year{y} / month{m} / day{d};
        const std::u16string text = forms.DateText(date);
        EXPECT_LE(text.size(), 10u) << Utf16ToUtf8(text);
        EXPECT_TRUE(CodePageHoldsExactly(text)) << Utf16ToUtf8(text);
        EXPECT_EQ(forms.ReadDate(text), date) << Utf16ToUtf8(text);
        EXPECT_EQ(forms.ReadDate(u"  " + text + u" "), date) << Utf16ToUtf8(text);
      }
    }
  }
  for (int h = 0; h < 24; ++h) {
    for (int s : {0, 1, 9 * 60 + 5, 59 * 60 + 59}) {
      const seconds t{h * 3600 + s};
      const std::u16string text = forms.TimeText(t);
      EXPECT_LE(text.size(), 11u) << Utf16ToUtf8(text);
      EXPECT_TRUE(CodePageHoldsExactly(text)) << Utf16ToUtf8(text);
      EXPECT_EQ(forms.ReadTime(text), t) << Utf16ToUtf8(text);
    }
  }
}

TEST(WindowsForms, StoredTextReadsBackWhateverTheCaseOfItsDesignator) {
  if (UserLocaleName() != L"en-US") GTEST_SKIP() << "the user's locale is not en-US";
  EXPECT_EQ(DateTimeForms::User().ReadTime(u"6:31:29 pm"), hours{18} + minutes{31} + seconds{29});
  EXPECT_EQ(DateTimeForms::User().ReadTime(u" 12:00:00 am "), seconds{0});
  // A day with a leading zero, as other programs may have stored it.
  EXPECT_EQ(DateTimeForms::User().ReadDate(u"12/06/2026"), year{2026} / 12 / 6);
}

TEST(WindowsForms, NonsenseAndTheOtherKindOfTextDoNotRead) {
  const DateTimeForms& forms = DateTimeForms::User();
  const std::u16string date = forms.DateText(year{2026} / 12 / 6);
  const std::u16string time = forms.TimeText(hours{18} + minutes{31} + seconds{29});
  for (std::u16string bad : {std::u16string(u""), std::u16string(u"   "), std::u16string(u"abc"),
                             std::u16string(u"13/45/2026"), std::u16string(u"\u65e5"), time}) {
    EXPECT_FALSE(forms.ReadDate(bad).has_value()) << Utf16ToUtf8(bad);
  }
  for (std::u16string bad : {std::u16string(u""), std::u16string(u"noon"), std::u16string(u"25:00:00"),
                             std::u16string(u"24:61:00"), date}) {
    EXPECT_FALSE(forms.ReadTime(bad).has_value()) << Utf16ToUtf8(bad);
  }
}

TEST(WindowsClock, NowIsTheLocalTimeToTheSecond) {
  SYSTEMTIME before{}, after{};
  GetLocalTime(&before);
  const local_seconds now = SystemClock::Instance().Now();
  GetLocalTime(&after);
  auto moment = [](const SYSTEMTIME& st) {
    return local_days{year{st.wYear} / month{st.wMonth} / day{st.wDay}} + hours{st.wHour} +
           minutes{st.wMinute} + seconds{st.wSecond};
  };
  EXPECT_GE(now, moment(before));
  EXPECT_LE(now, moment(after));
}

// ---- Failure texts -----------------------------------------------------------------

std::string RawMessage(DWORD code) {
  wchar_t buffer[1024] = {};
  DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                           buffer, 1024, nullptr);
  return Utf16ToUtf8(std::u16string(reinterpret_cast<const char16_t*>(buffer), n));
}

class WindowsErrorText : public ::testing::TestWithParam<int> {};

TEST_P(WindowsErrorText, IsTheSystemMessageOnOneLineWithoutItsFinalStop) {
  const std::string text = OsErrorText(GetParam());
  const std::string raw = RawMessage(static_cast<DWORD>(GetParam()));
  ASSERT_FALSE(raw.empty()) << "the system has no text for " << GetParam();
  EXPECT_EQ(raw.rfind(text, 0), 0u) << "not the start of the system's text: " << text;
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  EXPECT_NE(text.back(), '.');
  EXPECT_NE(text.back(), ' ');
  EXPECT_NE(text, "Error " + std::to_string(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Codes, WindowsErrorText,
                         ::testing::Values(ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
                                           ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, ERROR_DISK_FULL,
                                           ERROR_WRITE_PROTECT, ERROR_READ_FAULT));

TEST(WindowsErrorText, CodeWithoutASystemTextIsNamedByItsNumber) {
  EXPECT_EQ(OsErrorText(0x3FFF1234), "Error " + std::to_string(0x3FFF1234));
}

TEST(WindowsErrorText, RealFailuresCarryTheirOwnCodes) {
  TempHome dir;
  OsFileIo& io = OsFileIo::Instance();
  FileIo::Handle h = 0;
  EXPECT_EQ(io.Open(dir.root() / "missing.txt", FileIo::Intent::ReadExisting, Sharing::Shared, h),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(io.Open(dir.root() / "no" / "file.txt", FileIo::Intent::ReadCreate, Sharing::Shared, h),
            ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(io.Remove(dir.root() / "missing.txt"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(io.Rename(dir.root() / "missing.txt", dir.root() / "other.txt"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(DescribeFailure(ERROR_PATH_NOT_FOUND, L"C:\\J\u00fcrgen"),
            OsErrorText(ERROR_PATH_NOT_FOUND) + ": C:\\J\xc3\xbcrgen");
}

// ---- The ANSI code page ------------------------------------------------------------

bool SingleByteCodePage() {
  CPINFO info{};
  return GetCPInfo(CP_ACP, &info) && info.MaxCharSize == 1;
}

TEST(WindowsCodePage, EveryByteOfTheAnsiCodePageRoundTrips) {
  if (!SingleByteCodePage()) GTEST_SKIP() << "the ANSI code page " << GetACP() << " is not single-byte";
  for (int i = 1; i < 256; ++i) {
    const std::string byte(1, static_cast<char>(i));
    const std::u16string text = DecodeSingleByte(byte);
    ASSERT_EQ(text.size(), 1u) << i;
    EXPECT_EQ(EncodeSingleByte(text), byte) << i;
  }
}

TEST(WindowsCodePage, Windows1252ReadsAsWindowsDefinesIt) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP();
  EXPECT_EQ(DecodeSingleByte("\x80\x9f\xe9\xff"), u"\u20ac\u0178\u00e9\u00ff");
  EXPECT_EQ(EncodeSingleByte(u"Caf\u00e9 \u20ac"), "Caf\xe9 \x80");
  EXPECT_TRUE(ByteFold::ForCodePage().Equal("\xc4PM \x8a", "\xe4pm \x9a"));  // Ä/ä, Š/š
}

TEST(WindowsCodePage, NothingIsReplacedByALookAlike) {
  // Without WC_NO_BEST_FIT_CHARS Windows would store look-alikes (in Windows-1252 'a',
  // '8' and 'K' for these) and the texts would read back as something the user never
  // wrote. Whatever the code page: a character is stored as itself or as '?'.
  for (std::u16string c : {u"\u0101", u"\u221e", u"\u212a", u"\u0141", u"\u0416", u"\u3042", u"\u00e9"}) {
    const std::u16string back = DecodeSingleByte(EncodeSingleByte(c));
    EXPECT_TRUE(back == c || back == u"?") << Utf16ToUtf8(c) << " came back as " << Utf16ToUtf8(back);
  }
  if (GetACP() == 1252) {
    EXPECT_EQ(EncodeSingleByte(u"\u0101\u221e\u212a"), "???");
  }
  EXPECT_EQ(EncodeSingleByte(u"a\U0001F600b"), "a?b");
  EXPECT_EQ(EncodeSingleByte(u""), "");
  EXPECT_EQ(DecodeSingleByte(""), u"");
}

TEST(WindowsCodePage, RecordsAreStoredInTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP();
  const std::string bytes = RecordOf(u"Caf\u00e9 \u20ac \u65e5");
  EXPECT_EQ(bytes.substr(0, 8), "Caf\xe9 \x80 ?");
  EXPECT_EQ(TrimSpaces(DecodeRecord(bytes.data()).About), u"Caf\u00e9 \u20ac ?");
}

// ---- The registry -----------------------------------------------------------------

// A key of the test's own below HKEY_CURRENT_USER, removed afterwards.
class WindowsRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    name_ = "Software\\ReminderTest-" + std::to_string(GetCurrentProcessId());
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                              nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeA(HKEY_CURRENT_USER, name_.c_str());
  }
  void Set(const char* value, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetValueExA(key_, value, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  // GetKeyValue below HKEY_CURRENT_USER, with the root as the 32-bit value of the
  // predefined handle.
  bool Get(std::u16string_view value, std::u16string& text, std::u16string_view key = {}) {
    const std::u16string keyName = key.empty() ? std::u16string(name_.begin(), name_.end()) : std::u16string(key);
    return GetKeyValue(OsRegistry::Instance(), kCurrentUser, keyName, value, text);
  }
  static constexpr Registry::Key kCurrentUser = 0x80000001;  // HKEY_CURRENT_USER

  std::string name_;
  HKEY key_ = nullptr;
};

TEST_F(WindowsRegistry, TextValueLosesItsTerminatingZero) {
  Set("PATH", REG_SZ, std::string("C:\\Program Files\\Common Files\\msinfo32.exe\0", 43));
  std::u16string text = u"old";
  ASSERT_TRUE(Get(u"PATH", text));
  EXPECT_EQ(text, u"C:\\Program Files\\Common Files\\msinfo32.exe");
}

TEST_F(WindowsRegistry, FolderValueIsUsedAsReadWithItsTrailingBackslash) {
  Set("MSINFO", REG_SZ, std::string("C:\\Tools\\\0", 10));
  std::u16string text;
  ASSERT_TRUE(Get(u"MSINFO", text));
  EXPECT_EQ(text + u"\\MSINFO32.EXE", u"C:\\Tools\\\\MSINFO32.EXE");
}

TEST_F(WindowsRegistry, EmptyTextValueReadsAsEmptyText) {
  Set("Empty", REG_SZ, std::string(1, '\0'));
  std::u16string text = u"old";
  ASSERT_TRUE(Get(u"Empty", text));
  EXPECT_EQ(text, u"");
}

TEST_F(WindowsRegistry, TextInTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP();
  Set("Name", REG_SZ, std::string("Caf\xe9 \x80\0", 7));
  std::u16string text;
  ASSERT_TRUE(Get(u"Name", text));
  EXPECT_EQ(text, u"Caf\u00e9 \u20ac");
}

TEST_F(WindowsRegistry, NumberBecomesItsHexadecimalBytesLastFirst) {
  Set("Number", REG_DWORD, std::string("\x02\x01\x00\x00", 4));  // 258
  std::u16string text = u"old";
  ASSERT_TRUE(Get(u"Number", text));
  EXPECT_EQ(text, u"&h000102");  // the last byte, a zero, is dropped like a text's
  Set("Full", REG_DWORD, std::string("\x0a\x00\xff\x7f", 4));
  ASSERT_TRUE(Get(u"Full", text));
  EXPECT_EQ(text, u"&h7FFF000A");
}

TEST_F(WindowsRegistry, OtherTypesLeaveTheTextAsItCame) {
  Set("Binary", REG_BINARY, std::string("\x01\x02", 2));
  Set("Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\0", 13));
  for (std::u16string value : {u"Binary", u"Expand"}) {
    std::u16string text = u"as it came";
    ASSERT_TRUE(Get(value, text)) << Utf16ToUtf8(value);
    EXPECT_EQ(text, u"as it came");
  }
}

TEST_F(WindowsRegistry, ValueLargerThanTheBufferFailsWithEmptyText) {
  Set("Long", REG_BINARY, std::string(kKeyValueBufferSize + 1, 'z'));
  Set("Fits", REG_BINARY, std::string(kKeyValueBufferSize, 'z'));
  std::u16string text = u"old";
  EXPECT_FALSE(Get(u"Long", text));
  EXPECT_EQ(text, u"");
  text = u"old";
  EXPECT_TRUE(Get(u"Fits", text));
  EXPECT_EQ(text, u"old");
}

TEST_F(WindowsRegistry, MissingKeyOrValueFailsWithEmptyText) {
  Set("PATH", REG_SZ, std::string("x\0", 2));
  std::u16string text = u"old";
  EXPECT_FALSE(Get(u"Other", text));
  EXPECT_EQ(text, u"");
  text = u"old";
  EXPECT_FALSE(Get(u"PATH", text, u"Software\\ReminderTest-no-such-key"));
  EXPECT_EQ(text, u"");
}

TEST_F(WindowsRegistry, RootMayAlsoBeTheSignExtendedHandle) {
  Set("PATH", REG_SZ, std::string("x\0", 2));
  std::u16string text;
  ASSERT_TRUE(GetKeyValue(OsRegistry::Instance(), reinterpret_cast<Registry::Key>(HKEY_CURRENT_USER),
                          std::u16string(name_.begin(), name_.end()), u"PATH", text));
  EXPECT_EQ(text, u"x");
}

TEST(WindowsRegistryRoots, LocalMachineKeysOfTheSystemAreReadable) {
  // Present on every Windows (and in Wine): read without administrator rights.
  std::u16string text;
  ASSERT_TRUE(GetKeyValue(OsRegistry::Instance(), Registry::kLocalMachine,
                          u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"CurrentVersion", text));
  EXPECT_FALSE(text.empty());
}

// ---- Files the About box may start -------------------------------------------------

TEST(WindowsFileCheck, HiddenAndSystemFilesAndFoldersAreNotOrdinaryFiles) {
  TempHome dir;
  auto file = [&](const char* name, DWORD attributes) {
    const fs::path path = dir.root() / name;
    TempHome::WriteBytes(path, "x");
    SetFileAttributesW(path.c_str(), attributes);
    const std::wstring wide = path.native();
    return std::u16string(wide.begin(), wide.end());
  };
  const OsFileCheck& check = OsFileCheck::Instance();
  EXPECT_TRUE(check.IsOrdinaryFile(file("MSINFO32.EXE", FILE_ATTRIBUTE_NORMAL)));
  EXPECT_TRUE(check.IsOrdinaryFile(file("readonly.exe", FILE_ATTRIBUTE_READONLY)));
  EXPECT_FALSE(check.IsOrdinaryFile(file("hidden.exe", FILE_ATTRIBUTE_HIDDEN)));
  EXPECT_FALSE(check.IsOrdinaryFile(file("system.exe", FILE_ATTRIBUTE_SYSTEM)));
  const std::wstring folder = (dir.root() / "db").native();
  EXPECT_FALSE(check.IsOrdinaryFile(std::u16string(folder.begin(), folder.end())));
  for (const char* name : {"readonly.exe", "hidden.exe", "system.exe"})
    SetFileAttributesW((dir.root() / name).c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can go
}

TEST(WindowsTaskSafety, NothingIsRefused) {
  TempHome dir;
  EXPECT_FALSE(TaskRefusal(dir.store(), dir.root() / "db").has_value());
}

}  // namespace
