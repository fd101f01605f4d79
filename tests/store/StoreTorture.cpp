// A child process for the store's crash and two-process tests:
//   store_torture HOME JOURNAL OPS ID
// makes OPS random changes to reminders of its own ("w<ID>-<n>"): appends, and rewrites
// and deletes that find their reminder by its texts wherever another process moved it.
// Each change goes to the journal before it starts ("B A about task", "B R about task",
// "B D about") and after it is acknowledged ("A ok", or "A failed" and the end).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "os/CodePage.h"
#include "store/ReminderStore.h"

namespace {

ReminderRecord Record(const std::string& about, const std::string& task) {
  return MakeRecord(Utf8ToUtf16(about), u"12/06/2026", u"18:05:03", Utf8ToUtf16(task));
}
ShownTexts Shown(const std::string& about, const std::string& task) {
  return {Utf8ToUtf16(about), u"12/06/2026", u"18:05:03", Utf8ToUtf16(task)};
}

// Deletes the reminder `about` under the store's lock; when another process moved it
// between the look-up and the delete, the guard refuses and it is looked up again.
Status Delete(ReminderStore& store, const std::string& about, const std::string& task) {
  const ReminderStore::Guard stillIt = [&](const ReminderRecord& r) {
    return Utf16ToUtf8(TrimSpaces(r.About)) == about;
  };
  for (int attempt = 0; attempt < 100; ++attempt) {
    int number = 0;
    if (Status s = store.FindShownRecord(1, Shown(about, task), number); !s.ok()) return s;
    if (number == 0) return Status::Failure("lost: " + about);
    if (store.DeleteReminder(number, stillIt).ok()) return Status::Ok();
  }
  return Status::Failure("moved at every attempt: " + about);
}

int Worker(ReminderStore& store, const std::filesystem::path& journal, int ops, const std::string& id) {
  std::ofstream entries(journal);
  // Each line reaches the OS before the change it announces starts, so a kill loses none.
  const auto log = [&](const std::string& line) {
    if (!(entries << line << '\n' << std::flush)) std::_Exit(3);
  };
  std::mt19937 rng(static_cast<unsigned>(std::stoul(id)));
  std::map<std::string, std::string> mine;  // About -> Task; each worker's Abouts are its own
  for (int i = 0; i < ops; ++i) {
    const auto kind = mine.empty() ? 0 : rng() % 3;
    const std::string task = "v" + std::to_string(i);
    Status s = Status::Ok();
    if (kind == 0) {
      const std::string about = "w" + id + "-" + std::to_string(i);
      log("B A " + about + " " + task);
      if ((s = store.AppendReminder(Record(about, task))).ok()) mine[about] = task;
    } else {
      const auto it = std::next(mine.begin(), static_cast<long>(rng() % mine.size()));
      log((kind == 1 ? "B R " : "B D ") + it->first + " " + task);
      if (kind == 2 && (s = Delete(store, it->first, it->second)).ok()) mine.erase(it);
      if (kind == 1 && (s = store.RewriteShownReminder(1, Shown(it->first, it->second), Record(it->first, task))).ok())
        it->second = task;
    }
    log(s.ok() ? "A ok" : "A failed " + s.text());
    if (!s.ok()) return 4;
  }
  return 0;
}

int Run(const std::vector<std::filesystem::path>& args) {
  if (args.size() != 5) return 2;
  const NativePath home = args[1].native();
  ReminderStore store(OsFileIo::Instance(), [&] { return home; });
  return Worker(store, args[2], std::stoi(args[3].string()), args[4].string());
}

}  // namespace

// Wide arguments on Windows, so a home folder outside the ANSI code page arrives whole.
#ifdef _WIN32
int wmain(int argc, wchar_t** argv) { return Run({argv, argv + argc}); }
#else
int main(int argc, char** argv) { return Run({argv, argv + argc}); }
#endif
