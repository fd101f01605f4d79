#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "homeset/FileOutput.h"

std::string OsDescription(int code) {
  char buffer[256];
  // GNU strerror_r may return a static string instead of filling the buffer.
  const char* text = strerror_r(code, buffer, sizeof buffer);
  return text ? text : ("Error " + std::to_string(code));
}

std::string PathAsText(const std::filesystem::path& path) { return path.native(); }

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
