// Times a full tick of the check and the main window's count over a store of 32,767
// records, against a plain sequential read of the same file, and prints their ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "alarm/ReminderCheck.h"
#include "os/Clock.h"
#include "os/FileIo.h"
#include "shell/ReminderCount.h"
#include "store/ReminderStore.h"

#ifdef REMINDER_BENCH_MANAGER
#include <QApplication>

#include "manager/frmManager.h"
#include "shell/Windows.h"
#include "ui/Launcher.h"
#include "ui/MessageBoxes.h"
#endif

namespace fs = std::filesystem;
using namespace std::chrono;

namespace {

class SteppingClock final : public Clock {
 public:
  local_seconds Now() const override { return now; }
  mutable local_seconds now = local_days{year{2026} / 12 / 6} + hours{18};
};

class CountingAnnouncer final : public ReminderAnnouncer {
 public:
  void Announce(const DueReminder&) override { ++announced; }
  void ReportFailure(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
  int announced = 0;
};

struct BenchStore {
  explicit BenchStore(const char* name, int records) {
    home = fs::temp_directory_path() / ("reminder-bench-" + std::to_string(::getpid()) + "-" + name);
    fs::create_directories(home / "db");
    for (int i = 0; i < records; ++i) {
      // Realistic texts; a few records fall on the benchmark's day.
      std::u16string date = i % 1000 == 0 ? u"12/06/2026" : u"11/30/2026";
      RecordBytes r =
          EncodeRecord(MakeRecord(u"Call the dentist about the appointment", date, u"09:05:00", u"/usr/bin/true"));
      bytes.append(r.data(), r.size());
    }
    Restore();
  }
  ~BenchStore() { fs::remove_all(home); }
  fs::path file() const { return home / "db" / "reminders.rmd"; }
  void Restore() const {
    std::ofstream out(file(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  ReminderStore Store() const {
    return ReminderStore(OsFileIo::Instance(), [h = home.native()] { return h; });
  }
  fs::path home;
  std::string bytes;
};

// The full store, and one a record short of it for appends.
BenchStore& Full() {
  static BenchStore store("full", ReminderStore::kMaxRecords);
  return store;
}
BenchStore& AlmostFull() {
  static BenchStore store("almost", ReminderStore::kMaxRecords - 1);
  return store;
}

ReminderStore MakeStore() { return Full().Store(); }

void BM_FullTick(benchmark::State& state) {
  ReminderStore store = MakeStore();
  SteppingClock clock;
  auto forms = DateTimeForms::ForLocale("C");
  ReminderCheck check(store, clock, *forms);
  CountingAnnouncer announcer;
  for (auto _ : state) {
    clock.now += seconds{1};
    check.Tick(announcer);
  }
  benchmark::DoNotOptimize(announcer.announced);
}
BENCHMARK(BM_FullTick)->Unit(benchmark::kMillisecond);

void BM_CountTodaysReminders(benchmark::State& state) {
  ReminderStore store = MakeStore();
  auto forms = DateTimeForms::ForLocale("C");
  int count = 0;
  for (auto _ : state) CountTodaysReminders(store, year{2026} / 12 / 6, count, *forms);
  if (count != 33) state.SkipWithError("wrong count");
}
BENCHMARK(BM_CountTodaysReminders)->Unit(benchmark::kMillisecond);

// The floor: the same file read front to back through the same interface and buffer
// size, doing nothing with the bytes.
void BM_RawRead(benchmark::State& state) {
  fs::path path = Full().file();
  std::vector<char> buffer(1024 * kRecordSize);
  OsFileIo& io = OsFileIo::Instance();
  for (auto _ : state) {
    FileIo::Handle h;
    io.Open(path, FileIo::Intent::ReadCreate, FileIo::Sharing::Shared, h);
    std::uint64_t size = 0, at = 0;
    io.Size(h, size);
    while (at < size) {
      std::size_t got = 0;
      io.Read(h, at, buffer.data(), buffer.size(), got);
      if (got == 0) break;
      at += got;
    }
    io.Close(h);
    benchmark::DoNotOptimize(buffer.data());
  }
}
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);

#ifdef REMINDER_BENCH_MANAGER
// Opening the manager on the largest store: the window, its grid and the list built
// from one scan of the store.
class SilentBoxes final : public MessageBoxes {
 public:
  MessageAnswer Show(QWidget*, const MessageRequest&) override { return MessageAnswer::Ok; }
};
class NoLauncher final : public Launcher {
 public:
  std::optional<QString> Open(const QString&) override { return std::nullopt; }
};

void OpenManagers(benchmark::State& state, ReminderStore store) {
  SteppingClock clock;
  SilentBoxes boxes;
  NoLauncher launcher;
  auto forms = DateTimeForms::ForLocale("C");
  AppContext app{store, clock, boxes, launcher, *forms, {}, {}};
  for (auto _ : state) {
    frmManager* manager = ShowManager(app, nullptr);
    QCoreApplication::processEvents();  // the first paint asks for the rows in view
    state.PauseTiming();
    delete manager;
    state.ResumeTiming();
  }
}
void BM_ManagerOpen(benchmark::State& state) { OpenManagers(state, MakeStore()); }
BENCHMARK(BM_ManagerOpen)->Unit(benchmark::kMillisecond);

// The same window over an empty store: what the window costs before it lists anything.
void BM_ManagerOpenEmpty(benchmark::State& state) {
  static BenchStore empty("empty", 0);
  OpenManagers(state, empty.Store());
}
BENCHMARK(BM_ManagerOpenEmpty)->Unit(benchmark::kMillisecond);
#endif

// Deleting from and appending to the largest store: each rewrites the whole file and
// flushes it to disk. The store is put back between iterations, untimed.
void BM_DeleteReminder(benchmark::State& state) {
  ReminderStore store = Full().Store();
  for (auto _ : state) {
    if (!store.DeleteReminder(ReminderStore::kMaxRecords / 2).ok()) state.SkipWithError("delete failed");
    state.PauseTiming();
    Full().Restore();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteReminder)->Unit(benchmark::kMillisecond);

void BM_AppendReminder(benchmark::State& state) {
  ReminderStore store = AlmostFull().Store();
  const ReminderRecord r = MakeRecord(u"One more", u"12/07/2026", u"09:05:00", u"");
  for (auto _ : state) {
    if (!store.AppendReminder(r).ok()) state.SkipWithError("append failed");
    state.PauseTiming();
    AlmostFull().Restore();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_AppendReminder)->Unit(benchmark::kMillisecond);

// The floor for a write: the same file read whole and written whole to another file,
// flushed to disk, through the same interface.
void BM_ReadWrite(benchmark::State& state) {
  const fs::path path = Full().file();
  const fs::path copy = Full().home / "db" / "copy";
  OsFileIo& io = OsFileIo::Instance();
  for (auto _ : state) {
    FileIo::Handle in, out;
    std::uint64_t size = 0;
    io.Open(path, FileIo::Intent::ReadCreate, FileIo::Sharing::Plain, in);
    io.Size(in, size);
    std::string bytes(size, '\0');
    std::size_t got = 0;
    io.Read(in, 0, bytes.data(), bytes.size(), got);
    fs::path made;
    io.CreateTemp(copy, out, made);
    io.Write(out, 0, bytes.data(), got);
    io.Sync(out);
    io.Close(out);
    io.Close(in);
    io.Remove(made);
  }
}
BENCHMARK(BM_ReadWrite)->Unit(benchmark::kMillisecond);

class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // The median of the repetitions: steadier than any one of them on a busy machine. A
    // single repetition has no aggregates and stands for itself.
    for (const Run& run : runs) {
      const std::string name = run.run_name.function_name;
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        perIteration[name] = run.GetAdjustedRealTime();
      else if (run.run_type == Run::RT_Iteration && run.repetitions <= 1)
        perIteration[name] = run.GetAdjustedRealTime();
    }
  }
  std::map<std::string, double> perIteration;
};

}  // namespace

int main(int argc, char** argv) {
#ifdef REMINDER_BENCH_MANAGER
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
#endif
  // Nine repetitions unless the command line asks otherwise.
  std::vector<char*> args(argv, argv + argc);
  std::string repetitions = "--benchmark_repetitions=9";
  if (std::none_of(args.begin(), args.end(),
                   [](const char* a) { return std::string_view(a).starts_with("--benchmark_repetitions"); }))
    args.insert(args.begin() + 1, repetitions.data());
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  Full();
  AlmostFull();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double tick = reporter.perIteration["BM_FullTick"];
  double countTime = reporter.perIteration["BM_CountTodaysReminders"];
  double raw = reporter.perIteration["BM_RawRead"];
  double del = reporter.perIteration["BM_DeleteReminder"];
  double append = reporter.perIteration["BM_AppendReminder"];
  double readWrite = reporter.perIteration["BM_ReadWrite"];
  if (raw > 0 && tick > 0) std::printf("full-store tick vs raw read: %.2f\n", tick / raw);
  if (raw > 0 && countTime > 0) std::printf("count vs raw read: %.2f\n", countTime / raw);
  if (double manager = reporter.perIteration["BM_ManagerOpen"]; manager > 0 && tick > 0)
    std::printf("manager open vs full tick: %.2f\n", manager / tick);
  if (double empty = reporter.perIteration["BM_ManagerOpenEmpty"]; empty > 0 && tick > 0)
    std::printf("manager open on an empty store vs full tick: %.2f\n", empty / tick);
  if (readWrite > 0) {
    std::printf("full-store delete vs read+write: %.2f\n", del / readWrite);
    std::printf("full-store append vs read+write: %.2f\n", append / readWrite);
  }
  benchmark::Shutdown();
  return 0;
}
