#include "platform/OsError.h"

#include <cstring>

#include "platform/FileIo.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/CodePage.h"
#endif

std::string OsErrorText(int code) {
  if (code == kNotRegularFileError) return "Not a regular file";
  if (code == kForeignLockError) return "The lock file belongs to another user";
#ifdef _WIN32
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::u16string text(reinterpret_cast<const char16_t*>(buffer ? buffer : L""), n);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ' || text.back() == u'.'))
    text.pop_back();
  if (text.empty()) return "Error " + std::to_string(code);
  return Utf16ToUtf8(text);
#else
  char buffer[256];
  // GNU strerror_r may return a static string instead of filling the buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  return text ? text : ("Error " + std::to_string(code));
#endif
}

std::string PathText(const std::filesystem::path& path) {
#ifdef _WIN32
  auto u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
#else
  return path.native();
#endif
}

std::string DescribeFailure(int code, const std::filesystem::path& path) {
  return OsErrorText(code) + ": " + PathText(path);
}
