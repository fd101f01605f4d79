#include "store/HomeDirectory.h"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <vector>

#include "os/CodePage.h"
#include "os/OsError.h"
#include "os/Trim.h"

namespace {

std::mutex& HomeMutex() {
  static std::mutex m;
  return m;
}
NativePath& HomeValue() {
  static NativePath home;
  return home;
}

const NativePath kSeparator(1, std::filesystem::path::preferred_separator);

const NativePath kDb = std::filesystem::path("db").native();
const NativePath kStoreName = std::filesystem::path("reminders.rmd").native();

}  // namespace

NativePath HomeDirectory() {
  std::lock_guard lock(HomeMutex());
  return HomeValue();
}

void SetHomeDirectory(NativePath home) {
  std::lock_guard lock(HomeMutex());
  HomeValue() = std::move(home);
}

NativePath HomeDirectoryFromFile(std::string_view contents) {
  // Editors that save UTF-8 may put a byte-order mark first; it names no folder.
  if (contents.starts_with("\xef\xbb\xbf")) contents.remove_prefix(3);
  // Nothing beyond the first line counts, not even inside a quote left open.
  const std::string_view line = contents.substr(0, contents.find_first_of("\r\n"));
  const std::string_view rest = TrimLeading(line, IsBlank<char>);
  std::string_view item;
  if (rest.starts_with('"')) {
    const std::size_t close = rest.find('"', 1);
    item = rest.substr(1, close - 1);  // npos - 1 still runs to the end
    // Left open, the quote runs to the line's end, trimmed as an unquoted item is.
    if (close == std::string_view::npos) item = TrimTrailing(item, IsBlank<char>);
  } else {
    item = TrimTrailing(rest, IsBlank<char>);
  }
  return NativePathFromBytes(item);
}

Status ReadHomeDirectory(FileIo& io, const std::filesystem::path& file) {
  std::error_code ec;
  std::filesystem::path shown = std::filesystem::absolute(file, ec);
  if (ec) shown = file;

  FileIo::Handle handle;
  if (int err = io.Open(file, FileIo::Intent::ReadExisting, FileIo::Sharing::Shared, handle))
    return Status::Failure(DescribeFailure(err, shown));
  // The first line is all that matters; a few KiB hold any folder path.
  std::vector<char> buffer(8192);
  std::size_t got = 0;
  int err = io.Read(handle, 0, buffer.data(), buffer.size(), got);
  io.Close(handle);  // only read: a failing close loses nothing
  if (err) return Status::Failure(DescribeFailure(err, shown));

  NativePath home = HomeDirectoryFromFile(std::string_view(buffer.data(), got));
  if (home.empty()) return Status::Failure("Input past end of file: " + PathText(shown) + " names no folder");
  // A NUL would cut every path made from the home short, elsewhere; no folder the user
  // picked holds a control character.
  if (std::any_of(home.begin(), home.end(), [](auto c) { return (c >= 0 && c < 0x20) || c == 0x7f; }))
    return Status::Failure("The folder named in " + PathText(shown) +
                           " holds a control character, which no home folder's name may");
  SetHomeDirectory(std::move(home));
  return Status::Ok();
}

bool RereadHomeDirectory(FileIo& io, const std::filesystem::path& file) {
  const NativePath before = HomeDirectory();
  return ReadHomeDirectory(io, file).ok() && HomeDirectory() != before;
}

std::filesystem::path DbFolderFor(const NativePath& home) { return home + kSeparator + kDb; }

std::filesystem::path StorePathFor(const NativePath& home) { return home + kSeparator + kDb + kSeparator + kStoreName; }
