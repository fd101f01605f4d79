// A child process for the store's crash and two-process tests:
//   store_torture HOME JOURNAL OPS ID
// makes OPS random changes to reminders of its own ("w<ID>-<n>"): appends, and rewrites
// and deletes that find their reminder by its About wherever another process moved it.
// Each change goes to the journal before it starts ("B A about task", "B R about task",
// "B D about") and after it is acknowledged ("A ok", or "A failed" and the end).
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "os/CodePage.h"
#include "store/ReminderStore.h"

namespace {

ReminderRecord Record(const std::string& about, const std::string& task) {
  return MakeRecord(Utf8ToUtf16(about), u"12/06/2026", u"18:05:03", Utf8ToUtf16(task));
}

// Applies `change` to the reminder `about` under the store's lock; when another process
// moved it meanwhile, the guard refuses and it is looked up again.
template <class Change>
Status OnOwn(ReminderStore& store, const std::string& about, Change change) {
  const ReminderStore::Guard stillIt = [&](const ReminderRecord& r) {
    return Utf16ToUtf8(TrimSpaces(r.About)) == about;
  };
  for (int attempt = 0; attempt < 100; ++attempt) {
    int number = 0;
    ShownTexts shown;
    const Status found = store.ScanReminders(FileIo::Sharing::Shared, [&](int n, const ReminderRecord& r) {
      if (stillIt(r)) {
        number = n;
        shown = {std::u16string(TrimSpaces(r.About)), std::u16string(TrimSpaces(r.Date)),
                 std::u16string(TrimSpaces(r.Time)), std::u16string(TrimSpaces(r.Task))};
      }
      return number == 0;
    });
    if (!found.ok()) return found;
    if (number == 0) return Status::Failure("lost: " + about);
    if (change(number, stillIt, shown).ok()) return Status::Ok();
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
  std::vector<std::string> mine;
  for (int i = 0; i < ops; ++i) {
    const auto kind = mine.empty() ? 0 : rng() % 3;
    const std::string task = "v" + std::to_string(i);
    Status s = Status::Ok();
    if (kind == 0) {
      mine.push_back("w" + id + "-" + std::to_string(i));
      log("B A " + mine.back() + " " + task);
      s = store.AppendReminder(Record(mine.back(), task));
    } else {
      const std::string about = mine[rng() % mine.size()];
      log((kind == 1 ? "B R " : "B D ") + about + " " + task);
      s = OnOwn(store, about, [&](int n, const ReminderStore::Guard& guard, const ShownTexts& shown) {
        // Each worker's reminders have texts of their own: the first alike is the one.
        return kind == 1 ? store.RewriteShownReminder(1, shown, Record(about, task)) : store.DeleteReminder(n, guard);
      });
      if (kind == 2) std::erase(mine, about);
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
