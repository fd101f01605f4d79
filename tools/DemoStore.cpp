// Fills a demo home folder's store with a few reminders in the user's own date and
// time forms, so that a first start of the program has something to show and to fire.
#include <cstdio>
#include <filesystem>

#include "platform/Clock.h"
#include "platform/DateTimeForms.h"
#include "store/ReminderStore.h"

using namespace std::chrono;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s HOME\n", argv[0]);
    return 2;
  }
  const NativePath home = std::filesystem::path(argv[1]).native();
  ReminderStore store(OsFileIo::Instance(), [&] { return home; });
  const local_seconds now = SystemClock::Instance().Now();
  struct Demo {
    const char16_t* about;
    local_seconds at;
  };
  const Demo demos[] = {{u"Demo: this reminder fires one minute after the demo started", now + 60s},
                        {u"Demo: stand up and stretch", now + 2h},
                        {u"Demo: water the plants", now + 26h},
                        {u"Demo: a reminder from this morning", floor<days>(now) + 8h}};
  for (const Demo& d : demos) {
    ReminderRecord r = MakeRecord(d.about, DateText(DateOf(d.at)), TimeText(TimeOfDayOf(d.at)), u"");
    Status s = store.AppendReminder(r);
    if (!s.ok()) {
      std::fprintf(stderr, "%s\n", s.text().c_str());
      return 1;
    }
  }
  return 0;
}
