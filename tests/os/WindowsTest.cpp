// The Windows side of the core where it differs from POSIX: share modes while a reader
// holds the store, the rename over an open store, paths below drive roots, the registry
// and the system's error texts.
#include <windows.h>

#include <gtest/gtest.h>

#include "os/OsCodes.h"
#include "os/Registry.h"
#include "store/TempHome.h"

using Sharing = FileIo::Sharing;

namespace {

class WindowsStore : public ::testing::TestWithParam<Sharing> {};

// The check's box may be open in the middle of a scan (more than one read) while the
// manager writes: whether the reader's open shares writing or only reading, the write
// goes through and the scan goes on reading the old store, which the rename replaced.
TEST_P(WindowsStore, ScanKeepsReadingTheOldStoreWhileAWriteReplacesIt) {
  TempHome home;
  ReminderStore store{OsFileIo::Instance(), home.home()}, other{OsFileIo::Instance(), home.home()};
  home.WriteStore(Records(1500));
  int seen = 0;
  ASSERT_TRUE(store
                  .ScanReminders(GetParam(),
                                 [&](int n, const ReminderRecord&) {
                                   EXPECT_TRUE(n != 1 ||
                                               other.DeleteReminder(1500).ok());  // while the scan holds the store
                                   return ++seen == n;
                                 })
                  .ok());
  EXPECT_TRUE(seen == 1500 && home.StoreBytes() == Records(1499));
  for (const auto& entry : std::filesystem::directory_iterator(home.root() / "db"))
    EXPECT_TRUE(entry.path().filename() == L"reminders.rmd" || entry.path().filename() == L"reminders.lock")
        << entry.path();
}

INSTANTIATE_TEST_SUITE_P(Sharings, WindowsStore, ::testing::Values(Sharing::Shared, Sharing::Plain));

// Home, then db, then the name, with backslashes; below a drive root the doubled
// backslash still addresses the file there.
TEST(WindowsPaths, StoreIsHomeThenDbThenNameWithBackslashes) {
  for (auto [home, db] : {std::pair{L"C:\\Apps\\Remind", L"C:\\Apps\\Remind\\db\\"},
                          {L"C:\\", L"C:\\\\db\\"},
                          {L"\\\\server\\share", L"\\\\server\\share\\db\\"},
                          {L"", L"\\db\\"}}) {
    EXPECT_EQ(StorePathFor(home).native(), std::wstring(db) + L"reminders.rmd");
  }
  wchar_t full[MAX_PATH];
  ASSERT_GT(GetFullPathNameW(StorePathFor(L"C:\\").c_str(), MAX_PATH, full, nullptr), 0u);
  EXPECT_STREQ(full, L"C:\\db\\reminders.rmd");
}

// The system's own message on one line without its final stop; a code without one is
// named by its number.
TEST(WindowsErrorText, IsTheSystemMessageOnOneLineWithoutItsFinalStop) {
  for (DWORD code : std::initializer_list<DWORD>{ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION,
                                                 ERROR_DISK_FULL, ERROR_WRITE_PROTECT, 0x3FFF1234}) {
    wchar_t buffer[1024] = {};
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buffer,
                                   1024, nullptr);
    const std::string raw = Utf16ToUtf8(std::u16string(buffer, buffer + n)), text = OsErrorText(int(code));
    EXPECT_TRUE(n ? raw.rfind(text, 0) == 0 : text == "Error " + std::to_string(code)) << text;
    EXPECT_TRUE(text.find_first_of("\r\n") == std::string::npos && text.back() != '.' && text.back() != ' ') << text;
  }
}

// The real registry passes type, size and "too long" on as the fake one does (the
// conversions themselves: RegistryTest.cpp), with the root as the predefined handle's
// 32-bit value or sign-extended.
TEST(WindowsRegistry, PassesTypeSizeAndTooLongOnAsTheFakeRegistryDoes) {
  const std::wstring name = L"Software\\ReminderTest-" + std::to_wstring(GetCurrentProcessId());
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
  for (const std::string& bytes : {std::string("C:\\msinfo32.exe\0", 16), std::string(kKeyValueBufferSize + 1, 'z')})
    RegSetValueExA(key, bytes.size() == 16 ? "Fits" : "TooLong", 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                   DWORD(bytes.size()));
  RegCloseKey(key);
  auto read = [&](Registry::Key root, std::u16string_view value, std::u16string& text) {
    return GetKeyValue(OsRegistry::Instance(), root, std::u16string(name.begin(), name.end()), value, text);
  };
  for (Registry::Key root :
       {static_cast<Registry::Key>(0x80000001), reinterpret_cast<Registry::Key>(HKEY_CURRENT_USER)}) {
    std::u16string fits, tooLong = u"old";
    EXPECT_TRUE(read(root, u"Fits", fits) && !read(root, u"TooLong", tooLong));
    EXPECT_TRUE(fits == u"C:\\msinfo32.exe" && tooLong.empty());
  }
  RegDeleteTreeW(HKEY_CURRENT_USER, name.c_str());
}

}  // namespace
