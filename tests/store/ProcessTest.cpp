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

std::vector<std::string> AboutsIn(const std::string& bytes) {
  std::vector<std::string> out;
  for (std::size_t at = 0; at + 356 <= bytes.size(); at += 356)
    out.push_back(Utf16ToUtf8(TrimSpaces(DecodeRecord(bytes.data() + at).About)));
  return out;
}

// A child starts slowly under Wine: the kill's random moment counts from its first change.
void WaitForFirstEntry(const std::filesystem::path& journal) {
  std::error_code ec;
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (std::chrono::steady_clock::now() < giveUp) {
    if (std::filesystem::file_size(journal, ec) > 0 && !ec) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// Applies one journal entry to the model; false when it names an impossible change.
bool Apply(std::vector<std::string>& model, const std::string& entry) {
  std::istringstream in(entry);
  std::string b, kind;
  in >> b >> kind;
  if (kind == "A") {
    std::string about;
    in >> about;
    model.push_back(about);
    return true;
  }
  std::size_t k = 0;
  in >> k;
  if (k < 1 || k > model.size()) return false;
  if (kind == "R") {
    in >> model[k - 1];
  } else {
    model.erase(model.begin() + static_cast<long>(k - 1));
  }
  return true;
}

TEST(StoreProcesses, KilledWriterLosesNothingAcknowledged) {
  TempHome home;
  const auto journal = home.root() / "journal";
  std::mt19937 rng(20261206);
  int kills = 0, acknowledged = 0, inFlightApplied = 0;
  for (int round = 0; round < 150; ++round) {
    std::vector<std::string> model = AboutsIn(home.StoreBytes());
    std::filesystem::remove(journal);
    ChildProcess child({PathText(StoreTortureProgram()), "crash", PathText(home.root()), PathText(journal),
                        std::to_string(round)});
    ASSERT_TRUE(child.started());
    WaitForFirstEntry(journal);
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % 40000));
    child.Kill();
    child.Wait();
    ++kills;

    std::ifstream in(journal);
    std::string line, pending;
    while (std::getline(in, line)) {
      if (line.rfind("B ", 0) == 0) {
        pending = line;
      } else if (line == "A ok") {
        ASSERT_TRUE(Apply(model, pending)) << pending;
        pending.clear();
        ++acknowledged;
      } else {
        pending.clear();  // a failed change changes nothing
      }
    }
    const std::string bytes = home.StoreBytes();
    ASSERT_EQ(bytes.size() % 356, 0u) << "round " << round;
    std::vector<std::string> stored = AboutsIn(bytes);
    if (stored == model) continue;
    // Only the change under way when the kill came may be there as well.
    ASSERT_FALSE(pending.empty()) << "round " << round << ": acknowledged records lost";
    std::vector<std::string> withPending = model;
    ASSERT_TRUE(Apply(withPending, pending));
    ASSERT_EQ(stored, withPending) << "round " << round;
    ++inFlightApplied;
  }
  std::printf("crash test: %d kills, %d acknowledged changes, %d in-flight changes found done\n", kills,
              acknowledged, inFlightApplied);
}

TEST(StoreProcesses, TwoWritersAtOnceLoseNothing) {
  TempHome home;
  const int ops = 150;
  std::vector<std::pair<std::unique_ptr<ChildProcess>, std::filesystem::path>> workers;
  for (std::string id : {"1", "2"}) {
    auto out = home.root() / ("worker" + id);
    workers.emplace_back(std::make_unique<ChildProcess>(
                             std::vector<std::string>{PathText(StoreTortureProgram()), "worker", PathText(home.root()),
                                                      id, std::to_string(ops), id},
                             out),
                         out);
  }
  std::map<std::string, std::string> expected;
  for (auto& [child, out] : workers) {
    const int status = child->Wait();
    ASSERT_EQ(status, 0) << "worker failed";
    std::ifstream in(out);
    std::string about, task;
    while (in >> about >> task) expected[about] = task;
  }
  std::map<std::string, std::string> stored;
  const std::string bytes = home.StoreBytes();
  ASSERT_EQ(bytes.size() % 356, 0u);
  for (std::size_t at = 0; at < bytes.size(); at += 356) {
    ReminderRecord r = DecodeRecord(bytes.data() + at);
    ASSERT_TRUE(stored.emplace(Utf16ToUtf8(TrimSpaces(r.About)), Utf16ToUtf8(TrimSpaces(r.Task))).second);
  }
  EXPECT_EQ(stored, expected);
  std::printf("two processes: %d changes each, %zu reminders at the end, all as expected\n", ops, stored.size());
}

}  // namespace
