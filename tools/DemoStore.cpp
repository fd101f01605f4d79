// Fills a demo home folder's store with a few reminders in the user's own date and
// time forms, so that a first start of the program has something to show and to fire:
// one from yesterday (expired), two due soon (later today, unless the day ends first)
// and one tomorrow. The first fires a minute from now, or after the given number of
// minutes; the others open a notes file of the home as their task, and since the
// manager marks a row in its task cell, they show each of its markings.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "os/Clock.h"
#include "os/DateTimeForms.h"
#include "store/ReminderStore.h"

using namespace std::chrono;

int main(int argc, char** argv) {
  const int minutes = argc == 3 ? std::atoi(argv[2]) : 1;
  if ((argc != 2 && argc != 3) || minutes < 1) {
    std::fprintf(stderr, "usage: %s HOME [MINUTES]\n", argv[0]);
    return 2;
  }
  const std::filesystem::path homePath(argv[1]);
  const std::filesystem::path notes = homePath / "notes.txt";
  if (!(std::ofstream(notes) << "Opened by a demo reminder as its task.\n")) {
    std::fprintf(stderr, "cannot write %s\n", notes.c_str());
    return 1;
  }
  const NativePath home = homePath.native();
  ReminderStore store(OsFileIo::Instance(), [&] { return home; });
  const local_seconds now = SystemClock::Instance().Now();
  const std::string after = minutes == 1 ? "one minute" : std::to_string(minutes) + " minutes";
  const std::u16string first =
      u"Demo: this reminder fires " + std::u16string(after.begin(), after.end()) + u" after the demo started";
  const std::u16string task = std::filesystem::absolute(notes).u16string();
  struct Demo {
    std::u16string about;
    local_seconds at;
    std::u16string task;
  };
  const Demo demos[] = {{first, now + std::chrono::minutes(minutes), u""},
                        {u"Demo: stand up and stretch", now + 2h, task},
                        {u"Demo: water the plants", now + 26h, task},
                        {u"Demo: a reminder from yesterday morning", floor<days>(now) - 16h, task}};
  for (const Demo& d : demos) {
    ReminderRecord r = MakeRecord(d.about, DateText(DateOf(d.at)), TimeText(TimeOfDayOf(d.at)), d.task);
    Status s = store.AppendReminder(r);
    if (!s.ok()) {
      std::fprintf(stderr, "%s\n", s.text().c_str());
      return 1;
    }
  }
  return 0;
}
