// The store under real processes: killed in the middle of its work, and shared by two
// writers at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "platform/CodePage.h"
#include "platform/OsError.h"
#include "store/ChildProcess.h"
#include "store/TempHome.h"

namespace {

// Each record's trimmed About, or About and Task, sorted when `withTask`; the store must
// hold whole records only.
std::vector<std::string> RecordsIn(const TempHome& home, bool withTask = false) {
  const std::string bytes = home.StoreBytes();
  EXPECT_EQ(bytes.size() % 356, 0u);
  std::vector<std::string> out;
  for (std::size_t at = 0; at + 356 <= bytes.size(); at += 356) {
    const ReminderRecord r = DecodeRecord(bytes.data() + at);
    out.push_back(Utf16ToUtf8(TrimSpaces(r.About)) + (withTask ? " " + Utf16ToUtf8(TrimSpaces(r.Task)) : ""));
  }
  if (withTask) std::sort(out.begin(), out.end());
  return out;
}

// Applies a journal entry ("B A about", "B R k about", "B D k") to the model; false when
// it names a record that is not there.
bool Apply(std::vector<std::string>& model, const std::string& entry) {
  std::istringstream in(entry.substr(2));
  std::string kind;
  std::size_t k = 0;
  if (in >> kind && kind == "A") return static_cast<bool>(in >> model.emplace_back());
  if (!(in >> k) || k < 1 || k > model.size()) return false;
  return kind == "R" ? static_cast<bool>(in >> model[k - 1]) : (model.erase(model.begin() + long(k - 1)), true);
}

TEST(StoreProcesses, KilledWriterLosesNothingAcknowledged) {
  TempHome home;
  const auto journal = home.root() / "journal";
  std::mt19937 rng(20261206);
  int acked = 0, inFlight = 0;
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::vector<std::string> model = RecordsIn(home);
    std::filesystem::remove(journal);
    {
      ChildProcess child(
          {PathText(StoreTortureProgram()), "crash", PathText(home.root()), PathText(journal), std::to_string(round)});
      ASSERT_TRUE(child.started());
      // A child starts slowly under Wine: the kill's random moment counts from its first change.
      std::error_code ec;
      for (int ms = 0; ms < 20000 && (std::filesystem::file_size(journal, ec) == 0 || ec); ++ms)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      std::this_thread::sleep_for(std::chrono::microseconds(rng() % 40000));
    }  // killed
    std::ifstream in(journal);
    std::string line, pending;
    while (std::getline(in, line)) {
      if (line == "A ok") {
        ASSERT_TRUE(Apply(model, pending)) << pending;
        ++acked;
      }
      pending = line.rfind("B ", 0) == 0 ? line : "";  // a failed change changes nothing
    }
    const std::vector<std::string> stored = RecordsIn(home);
    if (stored == model) continue;
    // Only the change under way when the kill came may be there as well.
    ASSERT_TRUE(!pending.empty() && Apply(model, pending)) << "acknowledged records lost";
    ASSERT_EQ(stored, model);
    ++inFlight;
  }
  std::printf("crash test: 150 kills, %d acknowledged changes, %d in-flight changes found done\n", acked, inFlight);
}

TEST(StoreProcesses, TwoWritersAtOnceLoseNothing) {
  TempHome home;
  const int ops = 150;
  const auto out = [&](const char* id) { return home.root() / ("worker" + std::string(id)); };
  const std::string program = PathText(StoreTortureProgram()), root = PathText(home.root()), n = std::to_string(ops);
  ChildProcess one({program, "worker", root, PathText(out("1")), n, "1"}),
      two({program, "worker", root, PathText(out("2")), n, "2"});
  ASSERT_EQ(one.Wait() | two.Wait(), 0) << "a worker failed";
  std::vector<std::string> expected;  // each worker's "about task" lines
  for (const char* id : {"1", "2"}) {
    std::ifstream in(out(id));
    for (std::string line; std::getline(in, line);) expected.push_back(line);
  }
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(RecordsIn(home, true), expected);
  std::printf("two processes: %d changes each, %zu reminders at the end, all as expected\n", ops, expected.size());
}

}  // namespace
