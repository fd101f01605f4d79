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

ReminderRecord Record(const std::string& about, const std::string& task = "") {
  return MakeRecord(Utf8ToUtf16(about), u"12/06/2026", u"18:05:03", Utf8ToUtf16(task));
}
std::string AboutOf(const ReminderRecord& r) { return Utf16ToUtf8(TrimSpaces(r.About)); }

int Crash(ReminderStore& store, const std::filesystem::path& journal, unsigned seed) {
  std::ofstream entries(journal, std::ios::app);
  // Each line reaches the OS before the change it announces starts, so a kill loses none.
  const auto log = [&](const std::string& line) {
    if (!(entries << line << '\n' << std::flush)) std::_Exit(3);
  };
  std::mt19937 rng(seed);
  for (int i = 0;; ++i) {
    std::size_t count = 0;
    store.ScanRecordChunks(FileIo::Sharing::Shared, [&](int, RecordSpan r) { return (count += r.size()) > 0; });
    const auto kind = count == 0 ? 0 : rng() % 3;
    const int k = count == 0 ? 0 : static_cast<int>(1 + rng() % count);
    const std::string about = "c" + std::to_string(seed) + "-" + std::to_string(i), number = std::to_string(k);
    log(kind == 0 ? "B A " + about : kind == 1 ? "B R " + number + " " + about : "B D " + number);
    const Status s = kind == 0   ? store.AppendReminder(Record(about))
                     : kind == 1 ? store.RewriteReminder(k, Record(about))
                                 : store.DeleteReminder(k);
    log(s.ok() ? "A ok" : "A failed " + s.text());
  }
}

// Finds this worker's reminder `about` and applies `change` to it under the store's lock;
// a reminder moved by the other worker meanwhile is looked up again.
template <class Change>
bool OnOwn(ReminderStore& store, const std::string& about, Change change) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    int number = 0;
    const Status found = store.ScanReminders(FileIo::Sharing::Shared, [&](int n, const ReminderRecord& r) {
      return AboutOf(r) == about ? (number = n, false) : true;
    });
    if (!found.ok() || number == 0) return false;
    if (change(number, [&](const ReminderRecord& current) { return AboutOf(current) == about; }).ok()) return true;
  }
  return false;
}

int Worker(ReminderStore& store, const std::filesystem::path& out, int ops, const std::string& id) {
  std::mt19937 rng(static_cast<unsigned>(std::stoul(id)));
  std::map<std::string, std::string> mine;  // about -> task
  for (int i = 0; i < ops; ++i) {
    const auto kind = mine.empty() ? 0 : rng() % 3;
    const std::string about = "w" + id + "-" + std::to_string(i), task = "v" + std::to_string(i);
    const auto it = kind == 0 ? mine.end() : std::next(mine.begin(), static_cast<long>(rng() % mine.size()));
    const auto change = [&](int n, const ReminderStore::Guard& g) {
      return kind == 1 ? store.RewriteReminder(n, Record(it->first, task), g) : store.DeleteReminder(n, g);
    };
    if (!(kind == 0 ? store.AppendReminder(Record(about, task)).ok() : OnOwn(store, it->first, change))) return 4;
    kind == 0 ? void(mine[about] = task) : kind == 1 ? void(it->second = task) : void(mine.erase(it));
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
  const auto number = [&](int i) { return std::stoi(args[i].string()); };
  if (mode == "crash" && args.size() == 5) return Crash(store, args[3], static_cast<unsigned>(number(4)));
  if (mode == "worker" && args.size() == 6) return Worker(store, args[3], number(4), args[5].string());
  return 2;
}
}  // namespace

// Wide arguments on Windows, so a home folder outside the ANSI code page arrives whole.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Run({argv, argv + argc}); }
#else
int main(int argc, char** argv) { return Run({argv, argv + argc}); }
#endif
