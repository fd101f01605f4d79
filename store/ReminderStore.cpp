#include "store/ReminderStore.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "platform/OsError.h"

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

// The buffer a scan reads into, kept from one scan to the next on the same thread: a
// fresh large allocation every second would cost the check page faults on every tick.
// A scan started while another one on the thread is running gets a buffer of its own.
class ScanBuffer {
 public:
  explicit ScanBuffer(std::size_t size) {
    Cache& cache = Cached();
    if (cache.busy) {
      own_ = std::make_unique_for_overwrite<char[]>(size);
      data_ = own_.get();
      return;
    }
    if (cache.size < size) {
      cache.data = std::make_unique_for_overwrite<char[]>(size);
      cache.size = size;
    }
    cache.busy = true;
    data_ = cache.data.get();
    borrowed_ = true;
  }
  ~ScanBuffer() {
    if (borrowed_) Cached().busy = false;
  }
  ScanBuffer(const ScanBuffer&) = delete;
  ScanBuffer& operator=(const ScanBuffer&) = delete;
  char* get() const { return data_; }

 private:
  struct Cache {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    bool busy = false;
  };
  static Cache& Cached() {
    thread_local Cache cache;
    return cache;
  }
  std::unique_ptr<char[]> own_;
  char* data_ = nullptr;
  bool borrowed_ = false;
};

std::string Describe(int err, const std::filesystem::path& path) { return DescribeFailure(err, path); }

// Picks, from records visited in file order, record `preferred` when it still shows the
// texts, else the first record that does.
class ShownRecordPick {
 public:
  ShownRecordPick(int preferred, const ShownTexts& shown) : preferred_(preferred), shown_(shown) {}
  // False once no later record can change the pick.
  bool Visit(int number, const ReminderRecord& record) {
    if (RecordShows(record, shown_)) {
      if (number == preferred_) {
        chosen_ = number;
        return false;
      }
      if (first_ == 0) first_ = number;
    }
    return number < preferred_ || first_ == 0;
  }
  int Chosen() const { return chosen_ != 0 ? chosen_ : first_; }

 private:
  int preferred_;
  const ShownTexts& shown_;
  int chosen_ = 0;
  int first_ = 0;
};

}  // namespace

std::uint64_t AppendRecordNumber(std::uint64_t length) {
  std::uint64_t whole = length / kRecordSize;
  std::uint64_t rest = length % kRecordSize;
  if (rest * 2 > kRecordSize || (rest * 2 == kRecordSize && whole % 2 == 1)) ++whole;
  return whole + 1;
}

bool RecordShows(const ReminderRecord& record, const ShownTexts& shown) {
  return TrimSpaces(record.About) == shown[0] && TrimSpaces(record.Date) == shown[1] &&
         TrimSpaces(record.Time) == shown[2] && TrimSpaces(record.Task) == shown[3];
}

ReminderStore::ReminderStore(FileIo& io, std::function<NativePath()> home) : io_(io), home_(std::move(home)) {}

// Where ReadRecords puts what it reads, and who hears of it.
class ReminderStore::ReadTarget {
 public:
  virtual ~ReadTarget() = default;
  // Told how many whole records the file holds; answers how many one read may take.
  virtual std::size_t Prepare(std::size_t count) = 0;
  // Where the records from index `at` on go.
  virtual char* Place(std::size_t at) = 0;
  // `records` arrived, the first of them at index `at`; false ends the read.
  virtual bool Take(std::size_t at, RecordSpan records) = 0;
};

Status ReminderStore::ReadRecords(Sharing sharing, ReadTarget& target) const {
  const std::filesystem::path path = StorePath();
  OpenFile file(io_);
  if (int err = file.Open(path, FileIo::Intent::ReadCreate, sharing)) return Status::Failure(Describe(err, path));
  std::uint64_t size = 0;
  if (int err = io_.Size(file.handle(), size)) return Status::Failure(Describe(err, path));

  const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size / kRecordSize, kMaxRecords));
  const std::size_t perRead = std::max<std::size_t>(target.Prepare(count), 1);
  std::size_t at = 0;
  while (at < count) {
    const std::size_t want = std::min(count - at, perRead);
    char* place = target.Place(at);
    std::size_t got = 0;
    if (int err = io_.Read(file.handle(), std::uint64_t{at} * kRecordSize, place, want * kRecordSize, got))
      return Status::Failure(Describe(err, path));
    // A file that shrank meanwhile ends the read at its last whole record.
    const std::size_t whole = got / kRecordSize;
    if (whole > 0 && !target.Take(at, RecordSpan(place, whole))) break;
    if (whole < want) break;
    at += whole;
  }
  // Nothing was written, so closing cannot lose anything.
  file.Close();
  return Status::Ok();
}

Status ReminderStore::ScanRecordChunks(Sharing sharing, const ChunkVisitor& visitor) const {
  // Chunk by chunk through one buffer that stays in the processor's cache.
  class Chunks final : public ReadTarget {
   public:
    explicit Chunks(const ChunkVisitor& visitor) : visitor_(visitor) {}
    std::size_t Prepare(std::size_t count) override {
      const std::size_t perRead = std::clamp<std::size_t>(count, 1, kRecordsPerRead);
      buffer_.emplace(perRead * kRecordSize);
      return perRead;
    }
    char* Place(std::size_t) override { return buffer_->get(); }
    bool Take(std::size_t at, RecordSpan records) override { return visitor_(static_cast<int>(at + 1), records); }

   private:
    const ChunkVisitor& visitor_;
    std::optional<ScanBuffer> buffer_;
  } chunks(visitor);
  return ReadRecords(sharing, chunks);
}

Status ReminderStore::CopyRecords(Sharing sharing, RecordCopy& copy) const {
  // All records in one read, straight into the copy.
  class Whole final : public ReadTarget {
   public:
    explicit Whole(RecordCopy& copy) : copy_(copy) {}
    std::size_t Prepare(std::size_t count) override {
      copy_.bytes_ = std::make_unique_for_overwrite<char[]>(std::max<std::size_t>(count, 1) * kRecordSize);
      copy_.count_ = 0;
      return count;
    }
    char* Place(std::size_t at) override { return copy_.bytes_.get() + at * kRecordSize; }
    bool Take(std::size_t at, RecordSpan records) override {
      copy_.count_ = at + records.size();
      return true;
    }

   private:
    RecordCopy& copy_;
  } whole(copy);
  copy = RecordCopy();
  return ReadRecords(sharing, whole);
}

Status ReminderStore::ScanReminders(Sharing sharing, const Visitor& visitor) const {
  return ScanRecordChunks(sharing, [&](int first, RecordSpan records) {
    for (RecordView record : records)
      if (!visitor(first++, record.Decode())) return false;
    return true;
  });
}

Status ReminderStore::FindShownRecord(int preferred, const ShownTexts& shown, int& number) const {
  number = 0;
  ShownRecordPick pick(preferred, shown);
  Status status =
      ScanReminders(Sharing::Plain, [&pick](int n, const ReminderRecord& record) { return pick.Visit(n, record); });
  if (status.ok()) number = pick.Chosen();
  return status;
}

std::filesystem::path ReminderStore::LockPath() const { return DbFolder() / "reminders.lock"; }

Status ReminderStore::Replace(const std::function<Status(std::string& bytes)>& change) {
  const std::filesystem::path path = StorePath();

  // Writers take turns; a reader never waits for this lock.
  FileIo::Handle lock = 0;
  const auto giveUp = std::chrono::steady_clock::now() + lockWait_;
  bool madeFolder = false;
  for (;;) {
    int err = io_.TryLock(LockPath(), lock);
    if (!err) break;
    // A freshly chosen home has no db folder yet: the first write makes it, inside a
    // home that exists. Without a home the path would start at the root, where
    // nothing is made.
    if (err == kMissingFolderError && !madeFolder && !home_().empty()) {
      madeFolder = true;
      const int made = io_.CreateFolder(DbFolder());
      if (made == 0) {
        io_.SyncFolder(home_());  // best effort, as after the rename
        continue;
      }
      if (made != kMissingFolderError) return Status::Failure(Describe(made, DbFolder()));
    }
    // The lock lives in the store's folder: a missing or closed folder is the store's fault.
    if (err != kLockBusyError) return Status::Failure(Describe(err, path));
    if (std::chrono::steady_clock::now() >= giveUp)
      return Status::Failure("The store is busy: another program is changing it: " + PathText(path));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  struct Unlocker {
    FileIo& io;
    FileIo::Handle handle;
    ~Unlocker() { io.Unlock(handle); }
  } unlocker{io_, lock};

  // A store that is a link is replaced where it lives: the new file is written beside
  // the link's target and renamed over it, so the link stays and the rename stays on
  // one file system. Resolved once, under the lock, so every step works on one file.
  std::filesystem::path store;
  if (int err = io_.ResolveLinks(path, store)) return Status::Failure(Describe(err, path));
  const std::filesystem::path temp = store == path ? TempPath() : std::filesystem::path(store) += ".temp";

  // The store is replaced, not written in place: an open that may write it is what
  // keeps a read-only store from being replaced.
  OpenFile source(io_);
  if (int err = source.Open(store, FileIo::Intent::ReadToReplace, Sharing::Plain))
    return Status::Failure(Describe(err, store));
  std::uint64_t size = 0;
  if (int err = io_.Size(source.handle(), size)) return Status::Failure(Describe(err, store));
  std::string bytes(static_cast<std::size_t>(size), '\0');
  std::size_t got = 0;
  if (size > 0) {
    if (int err = io_.Read(source.handle(), 0, bytes.data(), bytes.size(), got))
      return Status::Failure(Describe(err, store));
    if (got != bytes.size()) return Status::Failure(Describe(kShortReadError, store));
  }
  if (Status s = change(bytes); !s.ok()) return s;

  OpenFile fresh(io_);
  // Replace empties a temp file left by an interrupted write.
  if (int err = fresh.Open(temp, FileIo::Intent::Replace, Sharing::Plain)) return Status::Failure(Describe(err, temp));
  auto fail = [&](int err, const std::filesystem::path& where) {
    fresh.Close();
    io_.Remove(temp);
    return Status::Failure(Describe(err, where));
  };
  if (int err = io_.CopyPermissions(source.handle(), fresh.handle())) return fail(err, temp);
  if (!bytes.empty()) {
    if (int err = io_.Write(fresh.handle(), 0, bytes.data(), bytes.size())) return fail(err, temp);
  }
  if (int err = io_.Sync(fresh.handle())) return fail(err, temp);
  // The new store is on disk since the sync, and the old one was only read: closing
  // cannot lose anything, and Windows renames only closed files.
  fresh.Close();
  source.Close();
  if (int err = io_.Rename(temp, store)) {
    io_.Remove(temp);
    return Status::Failure(Describe(err, store));
  }
  // The rename is done; making it durable is best effort.
  io_.SyncFolder(store.parent_path());
  return Status::Ok();
}

Status ReminderStore::AppendReminder(const ReminderRecord& record) {
  return Replace([&](std::string& bytes) {
    const std::uint64_t number = AppendRecordNumber(bytes.size());
    if (number > kMaxRecords)
      return Status::Failure("Overflow: the store already holds " + std::to_string(kMaxRecords) +
                             " reminders, the most it can hold: " + PathText(StorePath()));
    // A damaged tail of less than half a record is overwritten; a longer one becomes
    // a record of its own, filled up with zero bytes, as older programs wrote it.
    bytes.resize(static_cast<std::size_t>((number - 1) * kRecordSize), '\0');
    const RecordBytes encoded = EncodeRecord(record);
    bytes.append(encoded.data(), encoded.size());
    return Status::Ok();
  });
}

namespace {
Status CheckNumber(int number, std::size_t size, const ReminderStore::Guard& guard, const std::string& bytes,
                   const std::filesystem::path& path) {
  const std::size_t count = std::min<std::size_t>(size / kRecordSize, ReminderStore::kMaxRecords);
  if (number < 1 || static_cast<std::size_t>(number) > count)
    return Status::Failure("Bad record number " + std::to_string(number) + ": the store holds " +
                           std::to_string(count) + " reminders: " + PathText(path));
  if (guard && !guard(DecodeRecord(bytes.data() + (number - 1) * kRecordSize)))
    return Status::Failure(
        "The reminder was changed meanwhile by another window or program; "
        "nothing was written: " +
        PathText(path));
  return Status::Ok();
}

void WriteRecordAt(std::string& bytes, int number, const ReminderRecord& record) {
  const RecordBytes encoded = EncodeRecord(record);
  std::copy(encoded.begin(), encoded.end(), bytes.begin() + (number - 1) * static_cast<std::ptrdiff_t>(kRecordSize));
}
}  // namespace

Status ReminderStore::RewriteReminder(int number, const ReminderRecord& record, const Guard& guard) {
  if (number < 1) return Status::Failure("Bad record number " + std::to_string(number) + ": " + PathText(StorePath()));
  return Replace([&](std::string& bytes) {
    // Writing past the last record would leave a gap of garbage records: refuse it.
    if (Status s = CheckNumber(number, bytes.size(), guard, bytes, StorePath()); !s.ok()) return s;
    WriteRecordAt(bytes, number, record);
    return Status::Ok();
  });
}

Status ReminderStore::DeleteReminder(int number, const Guard& guard) {
  return Replace([&](std::string& bytes) {
    if (guard) {
      if (Status s = CheckNumber(number, bytes.size(), guard, bytes, StorePath()); !s.ok()) return s;
    }
    // The survivors in their old order; a damaged tail is left out. Whole records past
    // the last number the store can give are kept: they are not the program's to
    // delete. A number that names no record keeps them all.
    const std::size_t whole = bytes.size() / kRecordSize;
    bytes.resize(whole * kRecordSize);
    if (number >= 1 && number <= kMaxRecords && static_cast<std::size_t>(number) <= whole)
      bytes.erase(static_cast<std::size_t>(number - 1) * kRecordSize, kRecordSize);
    return Status::Ok();
  });
}

Status ReminderStore::RewriteShownReminder(int preferred, const ShownTexts& shown, const ReminderRecord& record) {
  return Replace([&](std::string& bytes) {
    const int count = static_cast<int>(std::min<std::size_t>(bytes.size() / kRecordSize, kMaxRecords));
    ShownRecordPick pick(preferred, shown);
    for (int n = 1; n <= count && pick.Visit(n, DecodeRecord(bytes.data() + (n - 1) * kRecordSize)); ++n) {
    }
    const int number = pick.Chosen();
    if (number == 0)
      return Status::Failure(
          "This reminder was changed or removed since the list was loaded; "
          "nothing was written: " +
          PathText(StorePath()));
    WriteRecordAt(bytes, number, record);
    return Status::Ok();
  });
}
