#include <cerrno>
#include <cstring>
#include <string>

#include "homeset/FileOutput.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string OsDescription(int code) {
#ifdef _WIN32
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
#else
  char buffer[256];
  // GNU strerror_r may return a static string instead of filling the buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  return text ? text : ("Error " + std::to_string(code));
#endif
}

std::string PathAsText(const std::filesystem::path& path) {
#ifdef _WIN32
  auto u8 = path.u8string();
  return std::string(u8.begin(), u8.end());
#else
  return path.native();
#endif
}

}  // namespace

std::string DescribeFileFailure(int code, const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::path shown = std::filesystem::absolute(file, ec);
  return OsDescription(code) + ": " + PathAsText(ec ? file : shown);
}

#ifdef _WIN32

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

#else

namespace {

// What `file` may be read by: its own mode when it exists, else that of any new file.
mode_t ModeFor(const std::filesystem::path& file) {
  struct stat old {};
  if (::stat(file.c_str(), &old) == 0) return old.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

int WriteAll(int fd, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

}  // namespace

std::optional<std::string> OsFileOutput::Replace(const std::filesystem::path& file, std::string_view bytes) {
  // The new contents go to a file of their own beside `file`, reach the disk, and only
  // then take its name: a failure at any step leaves the old file as it was.
  std::string temp = file.native() + ".XXXXXX";
  int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return DescribeFileFailure(errno, file);
  int error = ::fchmod(fd, ModeFor(file)) == 0 ? 0 : errno;
  if (!error) error = WriteAll(fd, bytes);
  if (!error && ::fsync(fd) != 0) error = errno;
  // A failing close can be the first report of a full disk.
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(temp.c_str(), file.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(temp.c_str());
    return DescribeFileFailure(error, file);
  }
  // The new name is in place; making it last through a power cut is best effort.
  std::filesystem::path folder = file.parent_path();
  int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return std::nullopt;
}

#endif
