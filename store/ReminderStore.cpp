#include "store/ReminderStore.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <thread>
#include <vector>

#include "os/OsError.h"

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
  void Adopt(FileIo::Handle handle) {
    handle_ = handle;
    open_ = true;
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

std::string ChangedMeanwhile(const std::filesystem::path& path) {
  return "This reminder was changed or removed since the list was loaded; nothing was written: " + PathText(path);
}

// The lock of a store's file sits beside it: reminders.rmd takes reminders.lock.
std::filesystem::path LockBeside(const std::filesystem::path& file) {
  return std::filesystem::path(file).replace_extension(".lock");
}

}  // namespace

// What a change keeps of the old store and adds to it, so that the new store can be
// written a chunk at a time: the old store's first `keep` bytes (zeros past its end),
// with record `replaced` given `replacement` and record `dropped` left out, then
// `appended`.
struct ReminderStore::Edit {
  std::uint64_t keep = 0;
  int replaced = 0;
  RecordBytes replacement{};
  int dropped = 0;
  std::optional<RecordBytes> appended;
  bool Writes(std::uint64_t size) const { return keep != size || replaced || dropped || appended; }
};

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

int ShownOccurrence(RecordSpan records, int number) {
  const ReminderRecord chosen = records[static_cast<std::size_t>(number - 1)].Decode();
  const ShownTexts shown{std::u16string(TrimSpaces(chosen.About)), std::u16string(TrimSpaces(chosen.Date)),
                         std::u16string(TrimSpaces(chosen.Time)), std::u16string(TrimSpaces(chosen.Task))};
  int occurrence = 0;
  for (int n = 1; n <= number; ++n)
    if (RecordShows(records[static_cast<std::size_t>(n - 1)].Decode(), shown)) ++occurrence;
  return occurrence;
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

// Chunk by chunk through one buffer that stays in the processor's cache.
class ReminderStore::ChunkTarget final : public ReadTarget {
 public:
  explicit ChunkTarget(const ChunkVisitor& visitor) : visitor_(visitor) {}
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
};

Status ReminderStore::ReadRecords(Sharing sharing, ReadTarget& target) const {
  const std::filesystem::path path = StorePath();
  OpenFile file(io_);
  if (int err = file.Open(path, FileIo::Intent::ReadCreate, sharing)) {
    // A home without a db folder yet, as every new user's, holds no reminders; the first
    // write makes the folder. Without a home the path would start at the root.
    if (err == kMissingFolderError && !home_().empty() && io_.EntryAt(home_()) == FileIo::Entry::Folder &&
        io_.EntryAt(DbFolder()) == FileIo::Entry::None) {
      target.Prepare(0);
      return Status::Ok();
    }
    return Status::Failure(Describe(err, path));
  }
  std::uint64_t size = 0;
  if (int err = io_.Size(file.handle(), size)) return Status::Failure(Describe(err, path));
  if (Status s = ReadOpenRecords(file.handle(), size, path, target); !s.ok()) return s;
  // Nothing was written, so closing cannot lose anything.
  file.Close();
  return Status::Ok();
}

Status ReminderStore::ReadOpenRecords(FileIo::Handle file, std::uint64_t size, const std::filesystem::path& path,
                                      ReadTarget& target) const {
  const auto count = static_cast<std::size_t>(std::min<std::uint64_t>(size / kRecordSize, kMaxRecords));
  const std::size_t perRead = std::max<std::size_t>(target.Prepare(count), 1);
  std::size_t at = 0;
  while (at < count) {
    const std::size_t want = std::min(count - at, perRead);
    char* place = target.Place(at);
    std::size_t got = 0;
    if (int err = io_.Read(file, std::uint64_t{at} * kRecordSize, place, want * kRecordSize, got))
      return Status::Failure(Describe(err, path));
    // A file that shrank meanwhile ends the read at its last whole record.
    const std::size_t whole = got / kRecordSize;
    if (whole > 0 && !target.Take(at, RecordSpan(place, whole))) break;
    if (whole < want) break;
    at += whole;
  }
  return Status::Ok();
}

Status ReminderStore::ScanRecordChunks(Sharing sharing, const ChunkVisitor& visitor) const {
  ChunkTarget chunks(visitor);
  return ReadRecords(sharing, chunks);
}

Status ReminderStore::ScanOpenChunks(FileIo::Handle file, std::uint64_t size, const std::filesystem::path& path,
                                     const ChunkVisitor& visitor) const {
  ChunkTarget chunks(visitor);
  return ReadOpenRecords(file, size, path, chunks);
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

namespace {
// The record number of the `occurrence`-th record that shows `shown`, or 0, from
// chunks visited in file order.
ReminderStore::ChunkVisitor FindOccurrence(int occurrence, const ShownTexts& shown, int& number) {
  number = 0;
  return [occurrence, &shown, &number, seen = 0](int first, RecordSpan records) mutable {
    for (RecordView record : records) {
      if (RecordShows(record.Decode(), shown) && ++seen == occurrence) {
        number = first;
        return false;
      }
      ++first;
    }
    return true;
  };
}
}  // namespace

Status ReminderStore::FindShownRecord(int occurrence, const ShownTexts& shown, int& number) const {
  int found = 0;
  Status status = ScanRecordChunks(Sharing::Plain, FindOccurrence(occurrence, shown, found));
  number = status.ok() ? found : 0;
  return status;
}

std::filesystem::path ReminderStore::LockPath() const {
  std::filesystem::path target;
  if (io_.ResolveLinks(StorePath(), target)) target = StorePath();
  return LockBeside(target);
}

Status ReminderStore::TakeLock(const Planner& plan, std::filesystem::path& target, FileIo::Handle& lock, bool& done) {
  const std::filesystem::path path = StorePath();
  done = false;
  const auto giveUp = std::chrono::steady_clock::now() + lockWait_;
  bool madeFolder = false;
  for (;;) {
    // Every link to one file leads its writers to the one lock beside that file.
    if (int err = io_.ResolveLinks(path, target)) return Status::Failure(Describe(err, path));
    int err = io_.TryLock(LockBeside(target), lock);
    if (!err) {
      // A link changed while this writer waited takes it to the other file's lock.
      std::filesystem::path now;
      if (io_.ResolveLinks(path, now) == 0 && now == target) return Status::Ok();
      io_.Unlock(lock);
      continue;
    }
    // A freshly chosen home has no db folder yet: a change that writes something into an
    // empty store makes the folder, inside a home that exists. Without a home the path
    // would start at the root, where nothing is made.
    if (err == kMissingFolderError && !madeFolder && target == path && !home_().empty() &&
        io_.EntryAt(DbFolder()) == FileIo::Entry::None) {
      Edit edit;
      const auto nothing = [](const ChunkVisitor&) { return Status::Ok(); };
      if (Status s = plan(nothing, 0, edit); !s.ok()) return s;
      if (!edit.Writes(0)) {
        done = true;
        return Status::Ok();
      }
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
}

int ReminderStore::WriteEdited(FileIo::Handle source, std::uint64_t size, const Edit& edit, FileIo::Handle fresh) {
  constexpr std::size_t kChunk = kRecordsPerRead * kRecordSize;  // whole records: none is split
  const auto buffer = std::make_unique_for_overwrite<char[]>(kChunk);
  const std::uint64_t end = std::min(edit.keep, size);
  std::uint64_t in = 0, out = 0;
  const auto put = [&](const char* data, std::size_t length) {
    const int err = length ? io_.Write(fresh, out, data, length) : 0;
    out += length;
    return err;
  };
  const auto offsetOf = [](int number) { return std::uint64_t(number - 1) * kRecordSize; };
  while (in < end) {
    const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, end - in));
    std::size_t got = 0;
    if (int err = io_.Read(source, in, buffer.get(), length, got)) return err;
    if (got != length) return kShortReadError;  // the store is locked: it cannot shrink
    const auto within = [&](int number) { return number && offsetOf(number) >= in && offsetOf(number) < in + length; };
    if (within(edit.replaced))
      std::copy(edit.replacement.begin(), edit.replacement.end(), buffer.get() + (offsetOf(edit.replaced) - in));
    if (within(edit.dropped)) {
      const auto at = static_cast<std::size_t>(offsetOf(edit.dropped) - in);
      if (int err = put(buffer.get(), at)) return err;
      if (int err = put(buffer.get() + at + kRecordSize, length - at - kRecordSize)) return err;
    } else if (int err = put(buffer.get(), length)) {
      return err;
    }
    in += length;
  }
  // An append may pad a damaged tail of less than a record up to a whole record.
  if (edit.keep > size) {
    const std::string zeros(static_cast<std::size_t>(edit.keep - size), '\0');
    if (int err = put(zeros.data(), zeros.size())) return err;
  }
  if (edit.appended) return put(edit.appended->data(), edit.appended->size());
  return 0;
}

void ReminderStore::RemoveLeftTemps(const std::filesystem::path& store) {
  // Only a writer holding the lock makes a temp file: any there now was left by a write
  // that could not remove its own.
  const auto prefix = store.filename().native() + std::filesystem::path(".temp-").native();
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(store.parent_path(), ec))
    if (entry.path().filename().native().starts_with(prefix)) io_.Remove(entry.path());
}

Status ReminderStore::Replace(const Planner& plan) {
  Status status = ReplaceFile(plan);
  if (status.ok() && changed_) changed_();
  return status;
}

Status ReminderStore::ReplaceFile(const Planner& plan) {
  // Writers take turns; a reader never waits for this lock.
  std::filesystem::path store;
  FileIo::Handle lock = 0;
  bool done = false;
  if (Status s = TakeLock(plan, store, lock, done); !s.ok() || done) return s;
  struct Unlocker {
    FileIo& io;
    FileIo::Handle handle;
    ~Unlocker() { io.Unlock(handle); }
  } unlocker{io_, lock};

  // The store is replaced, not written in place: an open that may write it is what
  // keeps a read-only store from being replaced. A store that is a link is replaced
  // where it lives: the new file is written beside the link's target and renamed over
  // it, so the link stays and the rename stays on one file system.
  OpenFile source(io_);
  if (int err = source.Open(store, FileIo::Intent::ReadToReplace, Sharing::Plain))
    return Status::Failure(Describe(err, store));
  std::uint64_t size = 0;
  if (int err = io_.Size(source.handle(), size)) return Status::Failure(Describe(err, store));
  Edit edit;
  const auto scan = [&](const ChunkVisitor& visitor) { return ScanOpenChunks(source.handle(), size, store, visitor); };
  if (Status s = plan(scan, size, edit); !s.ok()) return s;

  // A new file of its own name: nothing another user put in the folder is written
  // through. A failure names the store, the file the user knows.
  RemoveLeftTemps(store);
  OpenFile fresh(io_);
  std::filesystem::path temp;
  FileIo::Handle freshHandle = 0;
  if (int err = io_.CreateTemp(store, freshHandle, temp)) return Status::Failure(Describe(err, store));
  fresh.Adopt(freshHandle);
  auto fail = [&](int err) {
    fresh.Close();
    io_.Remove(temp);
    return Status::Failure(Describe(err, store));
  };
  if (int err = io_.CopyPermissions(source.handle(), fresh.handle())) return fail(err);
  if (int err = WriteEdited(source.handle(), size, edit, fresh.handle())) return fail(err);
  if (int err = io_.Sync(fresh.handle())) return fail(err);
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
  return Replace([&](const auto&, std::uint64_t size, Edit& edit) {
    const std::uint64_t number = AppendRecordNumber(size);
    if (number > kMaxRecords)
      return Status::Failure("Overflow: the store already holds " + std::to_string(kMaxRecords) +
                             " reminders, the most it can hold: " + PathText(StorePath()));
    // A damaged tail of less than half a record is overwritten; a longer one becomes
    // a record of its own, filled up with zero bytes, as older programs wrote it.
    edit.keep = (number - 1) * kRecordSize;
    edit.appended = EncodeRecord(record);
    return Status::Ok();
  });
}

Status ReminderStore::DeleteReminder(int number, const Guard& guard) {
  return Replace([&](const auto& scan, std::uint64_t size, Edit& edit) {
    const std::uint64_t whole = size / kRecordSize;
    const bool names = number >= 1 && number <= kMaxRecords && static_cast<std::uint64_t>(number) <= whole;
    if (guard) {
      if (!names)
        return Status::Failure("Bad record number " + std::to_string(number) + ": the store holds " +
                               std::to_string(std::min<std::uint64_t>(whole, kMaxRecords)) +
                               " reminders: " + PathText(StorePath()));
      bool still = false;
      Status read = scan([&](int first, RecordSpan records) {
        if (number >= first + static_cast<int>(records.size())) return true;
        still = guard(records[static_cast<std::size_t>(number - first)].Decode());
        return false;
      });
      if (!read.ok()) return read;
      if (!still)
        return Status::Failure(
            "The reminder was changed meanwhile by another window or program; nothing was written: " +
            PathText(StorePath()));
    }
    // The survivors in their old order; a damaged tail is left out. Whole records past
    // the last number the store can give are kept: they are not the program's to
    // delete. A number that names no record keeps them all.
    edit.keep = whole * kRecordSize;
    if (names) edit.dropped = number;
    return Status::Ok();
  });
}

Status ReminderStore::RewriteShownReminder(int occurrence, const ShownTexts& shown, const ReminderRecord& record) {
  return Replace([&](const auto& scan, std::uint64_t size, Edit& edit) {
    int number = 0;
    if (Status s = scan(FindOccurrence(occurrence, shown, number)); !s.ok()) return s;
    if (number == 0) return Status::Failure(ChangedMeanwhile(StorePath()));
    edit.keep = size;
    edit.replaced = number;
    edit.replacement = EncodeRecord(record);
    return Status::Ok();
  });
}
