// A child process for the store's crash and two-process tests.
//   crash HOME JOURNAL SEED   random appends, rewrites and deletes until killed; each is
//                             written to the journal before it starts ("B ...") and
//                             after it is acknowledged ("A ok" or "A failed").
//   worker HOME ID OPS SEED   OPS random changes to this worker's own reminders, then
//                             prints them, one "about task" line each.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/CodePage.h"
#include "store/ReminderStore.h"

namespace {

std::u16string U(const std::string& s) { return Utf8ToUtf16(s); }
std::string S(std::u16string_view s) { return Utf16ToUtf8(s); }

ReminderRecord Record(const std::string& about, const std::string& task) {
  return MakeRecord(U(about), u"12/06/2026", u"18:05:03", U(task));
}

void Log(int fd, const std::string& line) {
  std::string l = line + "\n";
  if (::write(fd, l.data(), l.size()) != static_cast<ssize_t>(l.size())) _exit(3);
}

int Count(const ReminderStore& store) {
  int n = 0;
  store.ScanRawRecords(FileIo::Sharing::Shared, [&](int, const char*) { return ++n, true; });
  return n;
}

int Crash(ReminderStore& store, const char* journal, unsigned seed) {
  int fd = ::open(journal, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) return 2;
  std::mt19937 rng(seed);
  for (int i = 0;; ++i) {
    const int count = Count(store);
    const int kind = count == 0 ? 0 : static_cast<int>(rng() % 3);
    const std::string about = "c" + std::to_string(seed) + "-" + std::to_string(i);
    Status s = Status::Ok();
    if (kind == 0) {
      Log(fd, "B A " + about);
      s = store.AppendReminder(Record(about, ""));
    } else {
      const int k = 1 + static_cast<int>(rng() % static_cast<unsigned>(count));
      if (kind == 1) {
        Log(fd, "B R " + std::to_string(k) + " " + about);
        s = store.RewriteReminder(k, Record(about, ""));
      } else {
        Log(fd, "B D " + std::to_string(k));
        s = store.DeleteReminder(k);
      }
    }
    Log(fd, s.ok() ? "A ok" : "A failed " + s.text());
  }
}

// Finds this worker's reminder `about` and applies `change` to it under the store's lock;
// a reminder moved by the other worker meanwhile is looked up again.
template <class Change>
bool OnOwn(ReminderStore& store, const std::string& about, Change change) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    int number = 0;
    if (!store.FindRecordByAbout(U(about), number).ok() || number == 0) return false;
    Status s = change(number, [&](const ReminderRecord& current) { return S(TrimSpaces(current.About)) == about; });
    if (s.ok()) return true;
  }
  return false;
}

int Worker(ReminderStore& store, const std::string& id, int ops, unsigned seed) {
  std::mt19937 rng(seed);
  std::map<std::string, std::string> mine;  // about -> task
  for (int i = 0; i < ops; ++i) {
    const int kind = mine.empty() ? 0 : static_cast<int>(rng() % 3);
    if (kind == 0) {
      const std::string about = "w" + id + "-" + std::to_string(i);
      if (!store.AppendReminder(Record(about, "v0")).ok()) return 4;
      mine[about] = "v0";
      continue;
    }
    auto it = std::next(mine.begin(), static_cast<long>(rng() % mine.size()));
    const std::string about = it->first;
    if (kind == 1) {
      const std::string task = "v" + std::to_string(i);
      if (!OnOwn(store, about, [&](int n, const ReminderStore::Guard& g) {
            return store.RewriteReminder(n, Record(about, task), g);
          }))
        return 5;
      it->second = task;
    } else {
      if (!OnOwn(store, about, [&](int n, const ReminderStore::Guard& g) { return store.DeleteReminder(n, g); }))
        return 6;
      mine.erase(it);
    }
  }
  for (const auto& [about, task] : mine) std::printf("%s %s\n", about.c_str(), task.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  const NativePath home = argv[2];
  ReminderStore store(OsFileIo::Instance(), [&] { return home; });
  const std::string mode = argv[1];
  if (mode == "crash" && argc == 5) return Crash(store, argv[3], static_cast<unsigned>(std::stoul(argv[4])));
  if (mode == "worker" && argc == 6)
    return Worker(store, argv[3], std::stoi(argv[4]), static_cast<unsigned>(std::stoul(argv[5])));
  return 2;
}
