#include <windows.h>

#include <string>

#include "homeset/FileOutput.h"

std::string OsDescription(int code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", n);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.'))
    text.pop_back();
  if (text.empty()) return "Error " + std::to_string(code);
  int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string PathAsText(const std::filesystem::path& path) {
  auto u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
}

std::optional<std::string> OsFileOutput::Replace(const std::filesystem::path& file, std::string_view bytes) {
  // The new contents go to a file of their own beside `file`, reach the disk, and only
  // then take its name: a failure at any step leaves the old file as it was.
  std::filesystem::path temp = file;
  temp += L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  HANDLE handle = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return DescribeFileFailure(static_cast<int>(GetLastError()), file);
  DWORD written = 0;
  BOOL ok = WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  int error = ok ? 0 : static_cast<int>(GetLastError());
  if (ok && written != bytes.size()) error = ERROR_HANDLE_DISK_FULL;
  if (!error && !FlushFileBuffers(handle)) error = static_cast<int>(GetLastError());
  if (!CloseHandle(handle) && !error) error = static_cast<int>(GetLastError());
  if (!error && !MoveFileExW(temp.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = static_cast<int>(GetLastError());
  if (error) {
    DeleteFileW(temp.c_str());
    return DescribeFileFailure(error, file);
  }
  return std::nullopt;
}
