#include "store/ReminderStore.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/OsError.h"
#include "store/TextFold.h"

namespace {

constexpr std::size_t kRecordsPerRead = 1024;

// Closes a handle when the operation leaves early; a close that the operation checks
// itself goes through Close().
class OpenFile {
 public:
  explicit OpenFile(FileIo& io) : io_(io) {}
  ~OpenFile() {
    if (open_) io_.Close(handle_);
  }
  OpenFile(const OpenFile&) = delete;
  OpenFile& operator=(const OpenFile&) = delete;

  int Open(const std::filesystem::path& path, FileIo::Intent intent, FileIo::Sharing sharing) {
    int err = io_.Open(path, intent, sharing, handle_);
    open_ = err == 0;
    return err;
  }
  int Close() {
    if (!open_) return 0;
    open_ = false;
    return io_.Close(handle_);
  }
  FileIo::Handle handle() const { return handle_; }

 private:
  FileIo& io_;
  FileIo::Handle handle_ = 0;
  bool open_ = false;
};

std::string Describe(int err, const std::filesystem::path& path) {
  return DescribeFailure(err, path);
}

}  // namespace

std::uint64_t AppendRecordNumber(std::uint64_t length) {
  std::uint64_t whole = length / kRecordSize;
  std::uint64_t rest = length % kRecordSize;
  if (rest * 2 > kRecordSize || (rest * 2 == kRecordSize && whole % 2 == 1)) ++whole;
  return whole + 1;
}

bool AboutMatches(const ReminderRecord& record, std::u16string_view about) {
  return EqualIgnoringCase(TrimSpaces(record.About), TrimSpaces(about));
}

ReminderStore::ReminderStore(FileIo& io, std::function<NativePath()> home)
    : io_(io), home_(std::move(home)) {}

Status ReminderStore::ScanRawRecords(Sharing sharing, const RawVisitor& visitor) const {
  const std::filesystem::path path = StorePath();
  OpenFile file(io_);
  if (int err = file.Open(path, FileIo::Intent::ReadCreate, sharing))
    return Status::Failure(Describe(err, path));
  std::uint64_t size = 0;
  if (int err = io_.Size(file.handle(), size)) return Status::Failure(Describe(err, path));

  const std::uint64_t count = std::min<std::uint64_t>(size / kRecordSize, kMaxRecords);
  // Left uninitialised: the reads fill it, and a tick should cost little more than they do.
  auto buffer = std::make_unique_for_overwrite<char[]>(kRecordsPerRead * kRecordSize);
  std::uint64_t number = 0;
  while (number < count) {
    std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(count - number, kRecordsPerRead));
    std::size_t got = 0;
    if (int err = io_.Read(file.handle(), number * kRecordSize, buffer.get(), want * kRecordSize, got))
      return Status::Failure(Describe(err, path));
    // A file that shrank meanwhile ends the scan at its last whole record.
    std::size_t whole = got / kRecordSize;
    for (std::size_t i = 0; i < whole; ++i) {
      if (!visitor(static_cast<int>(number + i + 1), buffer.get() + i * kRecordSize)) {
        number = count;
        whole = 0;
        break;
      }
    }
    if (whole < want) break;
    number += whole;
  }
  // Nothing was written, so closing cannot lose anything.
  file.Close();
  return Status::Ok();
}

Status ReminderStore::ScanReminders(Sharing sharing, const Visitor& visitor) const {
  return ScanRawRecords(sharing, [&](int number, const char* bytes) {
    return visitor(number, DecodeRecord(bytes));
  });
}

Status ReminderStore::FindRecordByAbout(std::u16string_view about, int& number) const {
  number = 0;
  return ScanReminders(Sharing::Plain, [&](int n, const ReminderRecord& record) {
    if (!AboutMatches(record, about)) return true;
    number = n;
    return false;
  });
}

Status ReminderStore::AppendReminder(const ReminderRecord& record) {
  const std::filesystem::path path = StorePath();
  OpenFile file(io_);
  if (int err = file.Open(path, FileIo::Intent::UpdateCreate, Sharing::Plain))
    return Status::Failure(Describe(err, path));
  std::uint64_t length = 0;
  if (int err = io_.Size(file.handle(), length)) return Status::Failure(Describe(err, path));

  const std::uint64_t number = AppendRecordNumber(length);
  if (number > kMaxRecords)
    return Status::Failure("Overflow: the store already holds " + std::to_string(kMaxRecords) +
                           " reminders, the most it can hold: " + PathText(path));
  const std::uint64_t offset = (number - 1) * kRecordSize;

  // A damaged tail of less than half a record is overwritten; keep it to put back if
  // the write fails, so a failure leaves the file exactly as it was.
  std::vector<char> tail(length > offset ? length - offset : 0);
  std::size_t got = 0;
  if (!tail.empty()) {
    if (int err = io_.Read(file.handle(), offset, tail.data(), tail.size(), got))
      return Status::Failure(Describe(err, path));
    tail.resize(got);
  }

  const RecordBytes bytes = EncodeRecord(record);
  int err = io_.Write(file.handle(), offset, bytes.data(), bytes.size());
  if (!err) err = io_.Sync(file.handle());
  if (err) {
    io_.Truncate(file.handle(), length);
    if (!tail.empty()) io_.Write(file.handle(), offset, tail.data(), tail.size());
    return Status::Failure(Describe(err, path));
  }
  // The record is on disk since the sync; a failing close cannot take it back.
  file.Close();
  return Status::Ok();
}

Status ReminderStore::RewriteReminder(int number, const ReminderRecord& record) {
  const std::filesystem::path path = StorePath();
  if (number < 1)
    return Status::Failure("Bad record number " + std::to_string(number) + ": " + PathText(path));
  OpenFile file(io_);
  if (int err = file.Open(path, FileIo::Intent::UpdateCreate, Sharing::Shared))
    return Status::Failure(Describe(err, path));
  std::uint64_t length = 0;
  if (int err = io_.Size(file.handle(), length)) return Status::Failure(Describe(err, path));
  // Writing past the last record would leave a gap of garbage records: refuse it.
  const std::uint64_t count = length / kRecordSize;
  if (static_cast<std::uint64_t>(number) > count)
    return Status::Failure("Bad record number " + std::to_string(number) + ": the store holds " +
                           std::to_string(count) + " reminders: " + PathText(path));

  const std::uint64_t offset = static_cast<std::uint64_t>(number - 1) * kRecordSize;
  RecordBytes old;
  std::size_t got = 0;
  if (int err = io_.Read(file.handle(), offset, old.data(), old.size(), got))
    return Status::Failure(Describe(err, path));
  const RecordBytes bytes = EncodeRecord(record);
  int err = io_.Write(file.handle(), offset, bytes.data(), bytes.size());
  if (!err) err = io_.Sync(file.handle());
  if (err) {
    if (got == old.size()) io_.Write(file.handle(), offset, old.data(), old.size());
    return Status::Failure(Describe(err, path));
  }
  // The record is on disk since the sync; a failing close cannot take it back.
  file.Close();
  return Status::Ok();
}

Status ReminderStore::DeleteReminder(int number) {
  const std::filesystem::path path = StorePath();
  const std::filesystem::path temp = TempPath();

  // The survivors go to the temp file, which then replaces the store in one rename:
  // at every moment the store is either the old file or the new one.
  OpenFile source(io_);
  if (int err = source.Open(path, FileIo::Intent::ReadCreate, Sharing::Plain))
    return Status::Failure(Describe(err, path));
  OpenFile target(io_);
  // Replace empties a temp file left by an interrupted delete.
  if (int err = target.Open(temp, FileIo::Intent::Replace, Sharing::Plain))
    return Status::Failure(Describe(err, temp));

  auto fail = [&](int err, const std::filesystem::path& where) {
    target.Close();
    source.Close();
    io_.Remove(temp);
    return Status::Failure(Describe(err, where));
  };

  std::uint64_t size = 0;
  if (int err = io_.Size(source.handle(), size)) return fail(err, path);
  const std::uint64_t count = std::min<std::uint64_t>(size / kRecordSize, kMaxRecords);
  std::vector<char> buffer(kRecordsPerRead * kRecordSize);
  std::uint64_t written = 0;
  for (std::uint64_t first = 0; first < count; first += kRecordsPerRead) {
    std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(count - first, kRecordsPerRead));
    std::size_t got = 0;
    if (int err = io_.Read(source.handle(), first * kRecordSize, buffer.data(), want * kRecordSize, got))
      return fail(err, path);
    if (got < want * kRecordSize) return fail(kShortReadError, path);
    // Drop the deleted record from the chunk that holds it.
    std::size_t keep = want * kRecordSize;
    if (number >= 1 && static_cast<std::uint64_t>(number) > first &&
        static_cast<std::uint64_t>(number) <= first + want) {
      std::size_t at = static_cast<std::size_t>(static_cast<std::uint64_t>(number) - 1 - first) * kRecordSize;
      std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(at + kRecordSize),
                buffer.begin() + static_cast<std::ptrdiff_t>(keep),
                buffer.begin() + static_cast<std::ptrdiff_t>(at));
      keep -= kRecordSize;
    }
    if (int err = io_.Write(target.handle(), written, buffer.data(), keep)) return fail(err, temp);
    written += keep;
  }
  if (int err = io_.Sync(target.handle())) return fail(err, temp);
  // The survivors are on disk since the sync, and the source was only read: closing
  // cannot lose anything, and Windows renames only closed files.
  target.Close();
  source.Close();
  if (int err = io_.Rename(temp, path)) {
    io_.Remove(temp);
    return Status::Failure(Describe(err, path));
  }
  // The rename is done; making it durable is best effort.
  io_.SyncFolder(DbFolderFor(home_()));
  return Status::Ok();
}
