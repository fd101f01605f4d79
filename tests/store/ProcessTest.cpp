// The store under real processes: killed in the middle of its work, and shared by two
// writers at once.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <thread>

#include "platform/CodePage.h"
#include "platform/OsError.h"
#include "store/ChildProcess.h"
#include "store/TempHome.h"

namespace {

// Each whole record's trimmed About and Task.
std::vector<std::pair<std::string, std::string>> RecordsIn(const std::string& bytes) {
  std::vector<std::pair<std::string, std::string>> out;
  for (std::size_t at = 0; at + 356 <= bytes.size(); at += 356) {
    const ReminderRecord r = DecodeRecord(bytes.data() + at);
    out.emplace_back(Utf16ToUtf8(TrimSpaces(r.About)), Utf16ToUtf8(TrimSpaces(r.Task)));
  }
  return out;
}

std::vector<std::string> AboutsIn(const std::string& bytes) {
  std::vector<std::string> out;
  for (const auto& record : RecordsIn(bytes)) out.push_back(record.first);
  return out;
}

// A child starts slowly under Wine: the kill's random moment counts from its first change.
void WaitForFirstEntry(const std::filesystem::path& journal) {
  std::error_code ec;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < giveUp && (std::filesystem::file_size(journal, ec) == 0 || ec))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

// Applies a journal entry ("B A about", "B R k about", "B D k") to the model; false when
// it names a record that is not there.
bool Apply(std::vector<std::string>& model, const std::string& entry) {
  std::istringstream in(entry);
  std::string b, kind;
  std::size_t k = 0;
  in >> b >> kind;
  if (kind == "A") return static_cast<bool>(in >> model.emplace_back());
  if (!(in >> k) || k < 1 || k > model.size()) return false;
  if (kind == "R") return static_cast<bool>(in >> model[k - 1]);
  model.erase(model.begin() + static_cast<long>(k - 1));
  return true;
}

TEST(StoreProcesses, KilledWriterLosesNothingAcknowledged) {
  TempHome home;
  const auto journal = home.root() / "journal";
  std::mt19937 rng(20261206);
  int acknowledged = 0, inFlightApplied = 0;
  for (int round = 0; round < 150; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::vector<std::string> model = AboutsIn(home.StoreBytes());
    std::filesystem::remove(journal);
    ChildProcess child({PathText(StoreTortureProgram()), "crash", PathText(home.root()), PathText(journal),
                        std::to_string(round)});
    ASSERT_TRUE(child.started());
    WaitForFirstEntry(journal);
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % 40000));
    child.Kill();
    child.Wait();

    std::ifstream in(journal);
    std::string line, pending;
    while (std::getline(in, line)) {
      if (line.rfind("B ", 0) == 0) {
        pending = line;
        continue;
      }
      if (line == "A ok") {
        ASSERT_TRUE(Apply(model, pending)) << pending;
        ++acknowledged;
      }
      pending.clear();  // a failed change changes nothing
    }
    const std::string bytes = home.StoreBytes();
    ASSERT_EQ(bytes.size() % 356, 0u);
    const std::vector<std::string> stored = AboutsIn(bytes);
    if (stored == model) continue;
    // Only the change under way when the kill came may be there as well.
    ASSERT_FALSE(pending.empty()) << "acknowledged records lost";
    ASSERT_TRUE(Apply(model, pending));
    ASSERT_EQ(stored, model);
    ++inFlightApplied;
  }
  std::printf("crash test: 150 kills, %d acknowledged changes, %d in-flight changes found done\n", acknowledged,
              inFlightApplied);
}

TEST(StoreProcesses, TwoWritersAtOnceLoseNothing) {
  TempHome home;
  const int ops = 150;
  std::vector<std::pair<std::unique_ptr<ChildProcess>, std::filesystem::path>> workers;
  for (std::string id : {"1", "2"}) {
    const auto out = home.root() / ("worker" + id);
    workers.emplace_back(std::make_unique<ChildProcess>(std::vector<std::string>{
                             PathText(StoreTortureProgram()), "worker", PathText(home.root()), PathText(out),
                             std::to_string(ops), id}),
                         out);
  }
  std::map<std::string, std::string> expected;
  for (auto& [child, out] : workers) {
    ASSERT_EQ(child->Wait(), 0) << "worker failed";
    std::ifstream in(out);
    std::string about, task;
    while (in >> about >> task) expected[about] = task;
  }
  const std::string bytes = home.StoreBytes();
  ASSERT_EQ(bytes.size() % 356, 0u);
  std::map<std::string, std::string> stored;
  for (const auto& record : RecordsIn(bytes)) ASSERT_TRUE(stored.insert(record).second) << record.first;
  EXPECT_EQ(stored, expected);
  std::printf("two processes: %d changes each, %zu reminders at the end, all as expected\n", ops, stored.size());
}

}  // namespace
