// A child process for the store's crash and two-process tests.
//   crash HOME JOURNAL SEED   random appends, rewrites and deletes until killed; each is
//                             written to the journal before it starts ("B ...") and
//                             after it is acknowledged ("A ok" or "A failed").
//   worker HOME OUT OPS ID    OPS random changes to this worker's own reminders, then
//                             writes them to OUT, one "about task" line each.
#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// Each line reaches the OS before the change it announces starts, so a kill loses none.
void Log(std::ofstream& journal, const std::string& line) {
  journal << line << '\n' << std::flush;
  if (!journal) std::_Exit(3);
}

int Count(const ReminderStore& store) {
  int n = 0;
  store.ScanRecordChunks(FileIo::Sharing::Shared, [&](int, RecordSpan records) { return n += static_cast<int>(records.size()), true; });
  return n;
}

int Crash(ReminderStore& store, const std::filesystem::path& journal, unsigned seed) {
  std::ofstream entries(journal, std::ios::app);
  if (!entries) return 2;
  std::mt19937 rng(seed);
  for (int i = 0;; ++i) {
    const unsigned count = static_cast<unsigned>(Count(store));
    const auto kind = count == 0 ? 0 : rng() % 3;
    const int k = count == 0 ? 0 : static_cast<int>(1 + rng() % count);
    const std::string about = "c" + std::to_string(seed) + "-" + std::to_string(i);
    Log(entries, kind == 0   ? "B A " + about
                 : kind == 1 ? "B R " + std::to_string(k) + " " + about
                             : "B D " + std::to_string(k));
    const Status s = kind == 0   ? store.AppendReminder(Record(about, ""))
                     : kind == 1 ? store.RewriteReminder(k, Record(about, ""))
                                 : store.DeleteReminder(k);
    Log(entries, s.ok() ? "A ok" : "A failed " + s.text());
  }
}

// Finds this worker's reminder `about` and applies `change` to it under the store's lock;
// a reminder moved by the other worker meanwhile is looked up again.
template <class Change>
bool OnOwn(ReminderStore& store, const std::string& about, Change change) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    int number = 0;
    const Status found = store.ScanReminders(FileIo::Sharing::Shared, [&](int n, const ReminderRecord& r) {
      if (S(TrimSpaces(r.About)) != about) return true;
      number = n;
      return false;
    });
    if (!found.ok() || number == 0) return false;
    Status s = change(number, [&](const ReminderRecord& current) { return S(TrimSpaces(current.About)) == about; });
    if (s.ok()) return true;
  }
  return false;
}

int Worker(ReminderStore& store, const std::filesystem::path& out, int ops, const std::string& id) {
  std::mt19937 rng(static_cast<unsigned>(std::stoul(id)));
  std::map<std::string, std::string> mine;  // about -> task
  for (int i = 0; i < ops; ++i) {
    const auto kind = mine.empty() ? 0 : rng() % 3;
    const std::string about = "w" + id + "-" + std::to_string(i), task = "v" + std::to_string(i);
    if (kind == 0) {
      if (!store.AppendReminder(Record(about, task)).ok()) return 4;
      mine[about] = task;
      continue;
    }
    const auto it = std::next(mine.begin(), static_cast<long>(rng() % mine.size()));
    if (!OnOwn(store, it->first, [&](int n, const ReminderStore::Guard& g) {
          return kind == 1 ? store.RewriteReminder(n, Record(it->first, task), g) : store.DeleteReminder(n, g);
        }))
      return 5;
    if (kind == 1)
      it->second = task;
    else
      mine.erase(it);
  }
  std::ofstream result(out);
  for (const auto& [about, task] : mine) result << about << ' ' << task << '\n';
  return result.flush() ? 0 : 7;
}

int Run(const std::vector<std::filesystem::path>& args) {
  if (args.size() < 3) return 2;
  const NativePath home = args[2].native();
  ReminderStore store(OsFileIo::Instance(), [&] { return home; });
  const std::string mode = args[1].string();
  if (mode == "crash" && args.size() == 5)
    return Crash(store, args[3], static_cast<unsigned>(std::stoul(args[4].string())));
  if (mode == "worker" && args.size() == 6)
    return Worker(store, args[3], std::stoi(args[4].string()), args[5].string());
  return 2;
}
}  // namespace

// Wide arguments on Windows, so a home folder outside the ANSI code page arrives whole.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Run({argv, argv + argc}); }
#else
int main(int argc, char** argv) { return Run({argv, argv + argc}); }
#endif
