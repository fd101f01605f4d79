#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string_view>
#include <utility>

#include "os/FileIo.h"
#include "store/HomeDirectory.h"
#include "store/RecordCopy.h"
#include "store/RecordView.h"
#include "store/ReminderRecord.h"
#include "store/Status.h"

// A reminder's four texts as a list showed them: About, Date, Time and Task, trimmed.
using ShownTexts = std::array<std::u16string, 4>;

// The reminder store: db/reminders.rmd below the home directory. Every operation opens
// the file, does its work and closes it again; nothing is cached. Record numbers count
// from 1 and are positions, not identities: a delete renumbers the records behind it.
class ReminderStore {
 public:
  using Sharing = FileIo::Sharing;
  static constexpr int kMaxRecords = 32767;  // record numbers are 16-bit signed values

  // Visitors return true to go on, false to stop the scan.
  using Visitor = std::function<bool(int number, const ReminderRecord& record)>;
  // Whole records in a row, the first being record `first`; for readers that go through
  // every record and need only a field or two.
  using ChunkVisitor = std::function<bool(int first, RecordSpan records)>;
  // Says whether the record a rewrite or delete is about to change is still the one
  // the caller means; checked under the store's lock, so no other writer can come between.
  using Guard = std::function<bool(const ReminderRecord& current)>;

  explicit ReminderStore(FileIo& io = OsFileIo::Instance(), std::function<NativePath()> home = HomeDirectory);

  // Scans take no lock: they read whichever whole file is in place when they open it.
  Status ScanReminders(Sharing sharing, const Visitor& visitor) const;
  Status ScanRecordChunks(Sharing sharing, const ChunkVisitor& visitor) const;
  // Every whole record, read straight into `copy` in one go: for a reader that keeps
  // them all, without a second copy chunk by chunk.
  Status CopyRecords(Sharing sharing, RecordCopy& copy) const;

  // Writes hold the lock beside the store's file (db/reminders.lock, or NAME.lock beside
  // the target of a store that is a symbolic link, so writers through any link to one
  // file take turns), write the new store to a new file of a name of its own beside the
  // old one, flush it and rename it over the old one: after a failure the store is
  // exactly as it was, after a success exactly as intended. The old store is copied a
  // chunk at a time, so a write needs no more memory for a large store than a small one.
  Status AppendReminder(const ReminderRecord& record);
  Status DeleteReminder(int number, const Guard& guard = nullptr);
  // Rewrites the `occurrence`-th record (counted from 1 in file order) of those that show
  // `shown`: the one a list showed as that occurrence, when two reminders are alike. The
  // choice is made under the lock; when the store holds fewer such records, nothing is
  // written.
  Status RewriteShownReminder(int occurrence, const ShownTexts& shown, const ReminderRecord& record);
  // The record RewriteShownReminder would rewrite now, or 0.
  Status FindShownRecord(int occurrence, const ShownTexts& shown, int& number) const;

  std::filesystem::path StorePath() const { return StorePathFor(home_()); }
  std::filesystem::path DbFolder() const { return DbFolderFor(home_()); }
  // The writers' lock of the store's file as it resolves now.
  std::filesystem::path LockPath() const;

  // How long a write waits for another process's write to finish before it gives up.
  void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

  // `listener` runs after every successful write, so that whoever shows what the store
  // holds learns of it whichever window wrote; a later call replaces it.
  void OnChanged(std::function<void()> listener) { changed_ = std::move(listener); }

 private:
  class ReadTarget;
  class ChunkTarget;
  struct Edit;
  // Plans a change of the store from its old records, read through `scan`, and size.
  using Planner =
      std::function<Status(const std::function<Status(const ChunkVisitor&)>& scan, std::uint64_t size, Edit& edit)>;
  // Reads the store's whole records in batches into the places `target` gives for them.
  Status ReadRecords(Sharing sharing, ReadTarget& target) const;
  Status ReadOpenRecords(FileIo::Handle file, std::uint64_t size, const std::filesystem::path& path,
                         ReadTarget& target) const;
  Status ScanOpenChunks(FileIo::Handle file, std::uint64_t size, const std::filesystem::path& path,
                        const ChunkVisitor& visitor) const;
  // Replaces the store by the change `plan` makes of it, under the lock.
  // Replaces the store by plan, and tells the listener once it is done.
  Status Replace(const Planner& plan);
  Status ReplaceFile(const Planner& plan);
  // Takes the lock of the file the store resolves to, and names that file in `target`.
  // A missing db folder is made first when the change writes anything to an empty
  // store; `done` says the change had nothing to write.
  Status TakeLock(const Planner& plan, std::filesystem::path& target, FileIo::Handle& lock, bool& done);
  void RemoveLeftTemps(const std::filesystem::path& store);
  int WriteEdited(FileIo::Handle source, std::uint64_t size, const Edit& edit, FileIo::Handle fresh);

  FileIo& io_;
  std::function<NativePath()> home_;
  std::chrono::milliseconds lockWait_{5000};
  std::function<void()> changed_;
};

// True while the record's four trimmed fields are exactly the texts a list showed: a
// window changes a record only while it is still the one the user saw.
bool RecordShows(const ReminderRecord& record, const ShownTexts& shown);
// Which occurrence record `number` (from 1) is among the records up to it that show the
// same four texts: 1 for the first such record in file order.
int ShownOccurrence(RecordSpan records, int number);

// The record number an append writes: the file length over 356 rounded to the nearest
// whole number (a half to the even neighbour), plus one. Older stores were written
// this way, so a damaged tail of more than half a record is kept as a record.
std::uint64_t AppendRecordNumber(std::uint64_t fileLength);
