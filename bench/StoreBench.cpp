// Times a full tick of the check and the main window's count over a store of 32,767
// records, against a plain sequential read of the same file, and prints their ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "alarm/ReminderCheck.h"
#include "platform/Clock.h"
#include "platform/FileIo.h"
#include "shell/ReminderCount.h"
#include "store/ReminderStore.h"

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
  BenchStore() {
    home = fs::temp_directory_path() / ("reminder-bench-" + std::to_string(::getpid()));
    fs::create_directories(home / "db");
    std::ofstream out(home / "db" / "reminders.rmd", std::ios::binary);
    for (int i = 0; i < ReminderStore::kMaxRecords; ++i) {
      // Realistic texts; a few records fall on the benchmark's day.
      std::u16string date = i % 1000 == 0 ? u"12/06/2026" : u"11/30/2026";
      RecordBytes bytes = EncodeRecord(MakeRecord(u"Call the dentist about the appointment", date,
                                                  u"09:05:00", u"/usr/bin/true"));
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
  }
  ~BenchStore() { fs::remove_all(home); }
  fs::path home;
};

BenchStore& Store() {
  static BenchStore store;
  return store;
}

ReminderStore MakeStore() {
  return ReminderStore(OsFileIo::Instance(), [] { return Store().home.native(); });
}

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
  fs::path path = Store().home / "db" / "reminders.rmd";
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

class RatioReporter final : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration)
        perIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  std::map<std::string, double> perIteration;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Store();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  double tick = reporter.perIteration["BM_FullTick"];
  double count = reporter.perIteration["BM_CountTodaysReminders"];
  double raw = reporter.perIteration["BM_RawRead"];
  if (raw > 0) {
    std::printf("full-store tick vs raw read: %.2f\n", tick / raw);
    std::printf("count vs raw read: %.2f\n", count / raw);
  }
  benchmark::Shutdown();
  return 0;
}
