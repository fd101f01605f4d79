// The Windows side of the core where it differs from POSIX: the store's share modes and
// its rename over an open store, paths below drive roots, the user's date and time
// forms, FormatMessage texts, the ANSI code page, the registry and the file check.
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

std::u16string AboutOf(int i) {
  const std::string n = std::to_string(i);
  return u"r" + std::u16string(n.begin(), n.end());
}
std::string Records(int count) {
  std::string bytes;
  for (int i = 1; i <= count; ++i) bytes += RecordOf(AboutOf(i));
  return bytes;
}
Status ScanAll(ReminderStore& store) {
  return store.ScanReminders(Sharing::Shared, [](int, const ReminderRecord&) { return true; });
}

class WindowsStore : public ::testing::TestWithParam<Sharing> {
 protected:
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()};
  ReminderStore other{OsFileIo::Instance(), home.home()};  // another window or program
  // More than one read of a scan, so the scan goes back to the file after the change.
  static constexpr int kRecords = 1500;
};

// The check's box may be open in the middle of a scan while the manager writes.
TEST_P(WindowsStore, ScanKeepsReadingTheOldStoreWhileWritesReplaceIt) {
  home.WriteStore(Records(kRecords));
  std::vector<Status> writes;
  std::vector<std::u16string> seen;
  ASSERT_TRUE(store.ScanReminders(GetParam(), [&](int n, const ReminderRecord& r) {
    if (n == 1) writes.push_back(other.DeleteReminder(kRecords));
    if (n == 1 && GetParam() == Sharing::Shared) {
      writes.push_back(other.AppendReminder(MakeRecord(u"added", u"", u"", u"")));
      writes.push_back(other.RewriteReminder(2, MakeRecord(u"changed", u"", u"", u"")));
    }
    seen.emplace_back(TrimSpaces(r.About));
    return true;
  }).ok());
  for (const Status& s : writes) EXPECT_TRUE(s.ok()) << s.text();
  ASSERT_EQ(seen.size(), static_cast<std::size_t>(kRecords));
  EXPECT_EQ(seen.back(), AboutOf(kRecords));
  std::string expected = Records(kRecords - 1);
  if (GetParam() == Sharing::Shared) expected.replace(356, 356, RecordOf(u"changed", u"", u"")) += RecordOf(u"added", u"", u"");
  EXPECT_TRUE(home.StoreBytes() == expected);
  EXPECT_FALSE(fs::exists(home.temp()));
  // Where the old store had to move aside for the reader, it is gone once read.
  EXPECT_FALSE(fs::exists(home.root() / "db" / "reminders.rmd.old"));
}

INSTANTIATE_TEST_SUITE_P(Sharings, WindowsStore, ::testing::Values(Sharing::Shared, Sharing::Plain));

TEST(WindowsShares, SharedOpensLetOthersWritePlainOpensLetThemOnlyRead) {
  TempHome home;
  home.WriteStore(Records(2));
  OsFileIo& io = OsFileIo::Instance();
  for (auto [held, second, opens] : {std::tuple{Sharing::Shared, FileIo::Intent::UpdateCreate, true},
                                     {Sharing::Shared, FileIo::Intent::ReadCreate, true},
                                     {Sharing::Plain, FileIo::Intent::ReadCreate, true},
                                     {Sharing::Plain, FileIo::Intent::UpdateCreate, false}}) {
    FileIo::Handle first = 0, next = 0;
    ASSERT_EQ(io.Open(home.store(), FileIo::Intent::ReadCreate, held, first), 0);
    const int err = io.Open(home.store(), second, Sharing::Shared, next);
    EXPECT_EQ(err, opens ? 0 : ERROR_SHARING_VIOLATION) << (held == Sharing::Shared ? "shared" : "plain");
    if (err == 0) io.Close(next);
    io.Close(first);
  }
}

TEST(WindowsShares, StoreLockedByAnotherProgramFailsWithTheOsTextAndChangesNothing) {
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()};
  home.WriteStore(Records(3));
  // An older program that opened the store without sharing it.
  HANDLE exclusive = CreateFileW(home.store().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
  const std::vector<Status> failed = {ScanAll(store), store.DeleteReminder(1),
                                     store.AppendReminder(MakeRecord(u"x", u"", u"", u""))};
  CloseHandle(exclusive);
  for (const Status& s : failed) EXPECT_EQ(s.text(), DescribeFailure(ERROR_SHARING_VIOLATION, home.store()));
  EXPECT_TRUE(home.StoreBytes() == Records(3));
  EXPECT_FALSE(fs::exists(home.temp()));
  ASSERT_TRUE(store.DeleteReminder(1).ok());  // nothing was left open or locked
}

TEST(WindowsShares, WriterWaitsForTheLockAndGivesUpWithABusyMessage) {
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()};
  home.WriteStore(Records(2));
  OsFileIo& io = OsFileIo::Instance();
  FileIo::Handle lock = 0, second = 0;
  ASSERT_EQ(io.TryLock(store.LockPath(), lock), 0);
  EXPECT_EQ(io.TryLock(store.LockPath(), second), kLockBusyError);
  store.SetLockWait(milliseconds{60});
  EXPECT_EQ(store.AppendReminder(MakeRecord(u"waits", u"", u"", u"")).text(),
            "The store is busy: another program is changing it: " + PathText(home.store()));
  EXPECT_EQ(home.StoreBytes(), Records(2));
  ASSERT_EQ(io.Unlock(lock), 0);
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"r3", u"12/06/2026", u"18:05:03", u"")).ok());
  EXPECT_EQ(home.StoreBytes(), Records(3));
}

// ---- Paths -------------------------------------------------------------------------

class WindowsPaths : public ::testing::TestWithParam<std::pair<const wchar_t*, const wchar_t*>> {};

TEST_P(WindowsPaths, StoreIsHomeThenDbThenNameWithBackslashes) {
  const std::wstring store = GetParam().second;
  EXPECT_EQ(StorePathFor(GetParam().first).native(), store);
  EXPECT_EQ(TempPathFor(GetParam().first).native(), store.substr(0, store.size() - 13) + L"temp");
}

INSTANTIATE_TEST_SUITE_P(Homes, WindowsPaths,
                         ::testing::Values(std::pair{L"C:\\Apps\\Remind", L"C:\\Apps\\Remind\\db\\reminders.rmd"},
                                           std::pair{L"C:\\", L"C:\\\\db\\reminders.rmd"},
                                           std::pair{L"\\\\server\\share", L"\\\\server\\share\\db\\reminders.rmd"},
                                           std::pair{L"", L"\\db\\reminders.rmd"}));

TEST(WindowsPathsBelowRoots, DoubledBackslashAddressesTheFileBelowTheRoot) {
  wchar_t full[MAX_PATH];
  ASSERT_GT(GetFullPathNameW(StorePathFor(L"C:\\").c_str(), MAX_PATH, full, nullptr), 0u);
  EXPECT_STREQ(full, L"C:\\db\\reminders.rmd");

  TempHome dir;
  ReminderStore store(OsFileIo::Instance(), [&] { return NativePath(dir.root().native() + L"\\"); });
  ASSERT_TRUE(store.AppendReminder(MakeRecord(u"below the root", u"12/06/2026", u"18:05:03", u"")).ok());
  EXPECT_EQ(dir.StoreBytes(), RecordOf(u"below the root"));
  ASSERT_TRUE(store.DeleteReminder(1).ok());
  EXPECT_EQ(dir.StoreBytes(), "");
}

TEST(WindowsPathsBelowRoots, FolderOutsideTheCodePageWorksAndIsNamedInUtf8) {
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
  const std::string text = ScanAll(store).text();
  EXPECT_NE(text.find("J\xc3\xbcrgen \xe6\x97\xa5\xe6\x9c\xac\\db\\reminders.rmd"), std::string::npos) << text;
}

// ---- Date and time forms -----------------------------------------------------------

std::wstring UserLocaleName() {
  wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
  GetUserDefaultLocaleName(name, LOCALE_NAME_MAX_LENGTH);
  return name;
}

// The user's short date or long time of 12/28/2026 12:59:59 (or `day` 18:31:29), from the OS.
std::u16string UserText(bool date, WORD day = 28) {
  SYSTEMTIME st{2026, 12, 0, day, WORD(day == 28 ? 12 : 18), WORD(day == 28 ? 59 : 31), WORD(day == 28 ? 59 : 29), 0};
  wchar_t text[96] = {};
  if (date)
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, 96, nullptr);
  else
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &st, nullptr, text, 96);
  return std::u16string(text, text + wcslen(text));
}

// Whatever the case of the designator, and a day with a leading zero, as other programs
// may have stored them.
TEST(WindowsForms, EnglishUsReadsWhatOtherProgramsStored) {
  if (UserLocaleName() != L"en-US") GTEST_SKIP() << "the user's locale is not en-US";
  EXPECT_EQ(DateTimeForms::User().ReadTime(u"6:31:29 pm"), hours{18} + minutes{31} + seconds{29});
  EXPECT_EQ(DateTimeForms::User().ReadTime(u" 12:00:00 am "), seconds{0});
  EXPECT_EQ(DateTimeForms::User().ReadDate(u"12/06/2026"), year{2026} / 12 / 6);
}

TEST(WindowsForms, TheUsersOwnFormIsUsedWhereItFitsElseAFixedOne) {
  const DateTimeForms& forms = DateTimeForms::User();
  if (UserText(true, 6).size() <= 10) {
    EXPECT_EQ(forms.DateText(year{2026} / 12 / 6), UserText(true, 6));
  } else if (UserText(true).size() > 10) {  // Hungarian, for one: 2026. 12. 28.
    EXPECT_EQ(forms.DateText(year{2026} / 12 / 6), u"12/06/2026");
    EXPECT_EQ(forms.ReadDate(u"06/12/2026"), year{2026} / 6 / 12);  // month first, whatever the user's order
    for (std::u16string bad : {u"2026. 12. 06.", u"12/06/26", u"13/06/2026", u"12-06-2026", u"12/06/2026/1"})
      EXPECT_FALSE(forms.ReadDate(bad).has_value()) << Utf16ToUtf8(bad);
  }
  if (UserText(false, 6).size() <= 11) {
    EXPECT_EQ(forms.TimeText(hours{18} + minutes{31} + seconds{29}), UserText(false, 6));
  } else if (UserText(false).size() > 11) {
    EXPECT_EQ(forms.TimeText(hours{18} + minutes{31} + seconds{29}), u"18:31:29");
    EXPECT_EQ(forms.ReadTime(u"6:05:03"), hours{6} + minutes{5} + seconds{3});
  }
}

TEST(WindowsForms, EveryDateAndTimeFitsItsFieldAndReadsBack) {
  const DateTimeForms& forms = DateTimeForms::User();
  for (int y : {1999, 2026, 2099}) {
    for (unsigned m = 1; m <= 12; ++m) {
      for (unsigned d : {1u, 9u, 12u, 28u}) {
        const year_month_day date = year{y} / month{m} / day{d};
        const std::u16string text = forms.DateText(date);
        EXPECT_TRUE(text.size() <= 10 && CodePageHoldsExactly(text)) << Utf16ToUtf8(text);
        EXPECT_EQ(forms.ReadDate(u"  " + text + u" "), date) << Utf16ToUtf8(text);
      }
    }
  }
  for (int h = 0; h < 24; ++h) {
    for (int s : {0, 1, 9 * 60 + 5, 59 * 60 + 59}) {
      const seconds t{h * 3600 + s};
      const std::u16string text = forms.TimeText(t);
      EXPECT_TRUE(text.size() <= 11 && CodePageHoldsExactly(text)) << Utf16ToUtf8(text);
      EXPECT_EQ(forms.ReadTime(text), t) << Utf16ToUtf8(text);
    }
  }
}

TEST(WindowsForms, NonsenseAndTheOtherKindOfTextDoNotRead) {
  const DateTimeForms& forms = DateTimeForms::User();
  const std::u16string date = forms.DateText(year{2026} / 12 / 6);
  const std::u16string time = forms.TimeText(hours{18} + minutes{31} + seconds{29});
  for (std::u16string bad : {std::u16string(u""), std::u16string(u"   "), std::u16string(u"abc"),
                             std::u16string(u"13/45/2026"), std::u16string(u"\u65e5"), time})
    EXPECT_FALSE(forms.ReadDate(bad).has_value()) << Utf16ToUtf8(bad);
  for (std::u16string bad : {std::u16string(u"noon"), std::u16string(u"25:00:00"), std::u16string(u"24:61:00"), date})
    EXPECT_FALSE(forms.ReadTime(bad).has_value()) << Utf16ToUtf8(bad);
}

TEST(WindowsClock, NowIsTheLocalTimeToTheSecond) {
  SYSTEMTIME before{}, after{};
  GetLocalTime(&before);
  const local_seconds now = SystemClock::Instance().Now();
  GetLocalTime(&after);
  auto moment = [](const SYSTEMTIME& st) {
    return local_days{year{st.wYear} / month{st.wMonth} / day{st.wDay}} + hours{st.wHour} + minutes{st.wMinute} +
           seconds{st.wSecond};
  };
  EXPECT_TRUE(moment(before) <= now && now <= moment(after));
}

// ---- Failure texts and the code page -----------------------------------------------

class WindowsErrorText : public ::testing::TestWithParam<int> {};

TEST_P(WindowsErrorText, IsTheSystemMessageOnOneLineWithoutItsFinalStop) {
  wchar_t buffer[1024] = {};
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                 static_cast<DWORD>(GetParam()), 0, buffer, 1024, nullptr);
  const std::string raw = Utf16ToUtf8(std::u16string(buffer, buffer + n));
  const std::string text = OsErrorText(GetParam());
  ASSERT_FALSE(raw.empty() || text.empty()) << "the system has no text for " << GetParam();
  EXPECT_EQ(raw.rfind(text, 0), 0u) << "not the start of the system's text: " << text;
  EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
  EXPECT_TRUE(text.back() != '.' && text.back() != ' ') << text;
}

INSTANTIATE_TEST_SUITE_P(Codes, WindowsErrorText,
                         ::testing::Values(ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_ACCESS_DENIED,
                                           ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, ERROR_DISK_FULL,
                                           ERROR_WRITE_PROTECT, ERROR_READ_FAULT));

TEST(WindowsErrorTexts, CodeWithoutASystemTextIsNamedByItsNumber) {
  EXPECT_EQ(OsErrorText(0x3FFF1234), "Error " + std::to_string(0x3FFF1234));
}

TEST(WindowsCodePage, EveryByteOfASingleByteAnsiCodePageRoundTrips) {
  CPINFO info{};
  if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize != 1) GTEST_SKIP() << "the ANSI code page is not single-byte";
  for (int i = 1; i < 256; ++i) {
    const std::string byte(1, static_cast<char>(i));
    EXPECT_EQ(EncodeSingleByte(DecodeSingleByte(byte)), byte) << i;
  }
}

// Without WC_NO_BEST_FIT_CHARS Windows would store look-alikes (in Windows-1252 'a', '8'
// and 'K' for these), texts the user never wrote: a character is itself or '?'.
TEST(WindowsCodePage, NothingIsReplacedByALookAlike) {
  for (std::u16string c : {u"\u0101", u"\u221e", u"\u212a", u"\u0141", u"\u0416", u"\u3042", u"\u00e9"}) {
    const std::u16string back = DecodeSingleByte(EncodeSingleByte(c));
    EXPECT_TRUE(back == c || back == u"?") << Utf16ToUtf8(c) << " came back as " << Utf16ToUtf8(back);
  }
  EXPECT_EQ(EncodeSingleByte(u"a\U0001F600b"), "a?b");
}

// ---- The registry, on a key of the test's own below HKEY_CURRENT_USER ----------------

struct RegistryCase {
  DWORD type;
  std::string bytes;
  bool ok;
  std::u16string text;  // after a read into "old"
};

class WindowsRegistry : public ::testing::TestWithParam<RegistryCase> {
 protected:
  void SetUp() override {
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
  }
  bool Get(Registry::Key root, std::u16string_view value, std::u16string& text) {
    return GetKeyValue(OsRegistry::Instance(), root, std::u16string(name_.begin(), name_.end()), value, text);
  }
  static constexpr Registry::Key kCurrentUser = 0x80000001;  // the predefined handle's 32-bit value

  std::wstring name_ = L"Software\\ReminderTest-" + std::to_wstring(GetCurrentProcessId());
  HKEY key_ = nullptr;
};

// The conversions themselves: RegistryTest.cpp, on the fake registry.
TEST_P(WindowsRegistry, PassesTypeSizeAndTooLongOnAsTheFakeRegistryDoes) {
  const RegistryCase& c = GetParam();
  ASSERT_EQ(RegSetValueExA(key_, "V", 0, c.type, reinterpret_cast<const BYTE*>(c.bytes.data()),
                           static_cast<DWORD>(c.bytes.size())),
            ERROR_SUCCESS);
  std::u16string text = u"old";
  EXPECT_EQ(Get(kCurrentUser, u"V", text), c.ok);
  EXPECT_EQ(text, c.text);
  // The root may also be the sign-extended handle.
  text = u"old";
  EXPECT_EQ(Get(reinterpret_cast<Registry::Key>(HKEY_CURRENT_USER), u"V", text), c.ok);
  EXPECT_EQ(text, c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, WindowsRegistry,
    ::testing::Values(RegistryCase{REG_SZ, std::string("C:\\Tools\\msinfo32.exe\0", 22), true, u"C:\\Tools\\msinfo32.exe"},
                      RegistryCase{REG_DWORD, std::string("\x0a\x00\xff\x7f", 4), true, u"&h7FFF000A"},
                      RegistryCase{REG_EXPAND_SZ, std::string("%SystemRoot%\0", 13), true, u"old"},
                      RegistryCase{REG_BINARY, std::string(kKeyValueBufferSize, 'z'), true, u"old"},
                      RegistryCase{REG_BINARY, std::string(kKeyValueBufferSize + 1, 'z'), false, u""}));

TEST(WindowsRegistryKeys, MissingKeyOrValueFailsAndTheSystemsOwnKeysAreReadable) {
  std::u16string text = u"old";
  EXPECT_FALSE(GetKeyValue(OsRegistry::Instance(), Registry::kLocalMachine, u"SOFTWARE\\ReminderTest-no-such-key",
                           u"V", text));
  EXPECT_EQ(text, u"");
  EXPECT_FALSE(GetKeyValue(OsRegistry::Instance(), Registry::kLocalMachine,
                           u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"NoSuchValue", text));
  // Present on every Windows (and in Wine): read without administrator rights.
  ASSERT_TRUE(GetKeyValue(OsRegistry::Instance(), Registry::kLocalMachine,
                          u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"CurrentVersion", text));
  EXPECT_FALSE(text.empty());
}

// ---- Files the About box may start, and tasks -----------------------------------------

TEST(WindowsFileCheck, HiddenAndSystemFilesAndFoldersAreNotOrdinaryFiles) {
  TempHome dir;
  for (auto [name, attributes, ordinary] : {std::tuple{"MSINFO32.EXE", FILE_ATTRIBUTE_NORMAL, true},
                                            {"readonly.exe", FILE_ATTRIBUTE_READONLY, true},
                                            {"hidden.exe", FILE_ATTRIBUTE_HIDDEN, false},
                                            {"system.exe", FILE_ATTRIBUTE_SYSTEM, false}}) {
    const fs::path path = dir.root() / name;
    TempHome::WriteBytes(path, "x");
    SetFileAttributesW(path.c_str(), attributes);
    EXPECT_EQ(OsFileCheck::Instance().IsOrdinaryFile(Utf8ToUtf16(path.string())), ordinary) << name;
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can go
  }
  EXPECT_FALSE(OsFileCheck::Instance().IsOrdinaryFile(Utf8ToUtf16((dir.root() / "db").string())));
  EXPECT_FALSE(TaskRefusal(dir.store(), dir.root() / "db").has_value());  // nothing is refused here
}

}  // namespace
