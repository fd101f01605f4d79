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

#include "os/CodePage.h"
#include "os/OsError.h"
#include "store/ChildProcess.h"
#include "store/TempHome.h"

namespace {

using Model = std::map<std::string, std::string>;  // About -> Task

// The store's reminders; it must hold whole records only, each reminder once.
Model Stored(const TempHome& home) {
  const std::string bytes = home.StoreBytes();
  Model out;
  for (std::size_t at = 0; at + kRecordSize <= bytes.size(); at += kRecordSize) {
    const ReminderRecord r = DecodeRecord(bytes.data() + at);
    out[Utf16ToUtf8(TrimSpaces(r.About))] = Utf16ToUtf8(TrimSpaces(r.Task));
  }
  EXPECT_EQ(bytes.size(), out.size() * kRecordSize) << "a part of a record, or a reminder twice";
  return out;
}

void Apply(Model& model, const std::string& entry) {
  std::istringstream in(entry);
  std::string begin, kind, about, task;
  in >> begin >> kind >> about >> task;
  if (kind == "D")
    model.erase(about);
  else
    model[about] = task;
}

// Applies the acknowledged changes of a worker's journal to `model`; returns the change
// under way when the journal ends, if any.
std::string Replay(const std::filesystem::path& journal, Model& model) {
  std::ifstream in(journal);
  std::string line, pending;
  while (std::getline(in, line)) {
    if (line == "A ok") Apply(model, pending);
    pending = line.starts_with("B ") ? line : "";
  }
  return pending;
}

std::vector<std::string> Worker(const TempHome& home, const std::string& journal, int ops, int id) {
  return {PathText(StoreTortureProgram()), PathText(home.root()), PathText(home.root() / journal), std::to_string(ops),
          std::to_string(id)};
}

TEST(StoreProcesses, KilledWriterLosesNothingAcknowledged) {
  TempHome home;
  const auto journal = home.root() / "journal";
  std::mt19937 rng(20261206);
  Model model;
  for (int round = 1; round <= 150; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::filesystem::remove(journal);
    {
      ChildProcess child(Worker(home, "journal", 1000000, round));
      ASSERT_TRUE(child.started());
      // A child starts slowly under Wine: the kill's random moment counts from its first change.
      std::error_code ec;
      for (int ms = 0; ms < 20000 && (std::filesystem::file_size(journal, ec) == 0 || ec); ++ms)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      std::this_thread::sleep_for(std::chrono::microseconds(rng() % 40000));
    }  // killed
    const std::string pending = Replay(journal, model);
    if (Stored(home) == model) continue;
    // Only the change under way when the kill came may be there as well.
    ASSERT_FALSE(pending.empty()) << "acknowledged changes lost";
    Apply(model, pending);
    ASSERT_EQ(Stored(home), model);
  }
  std::printf("crash test: 150 kills, %zu reminders at the end\n", model.size());
}

// Two writers at once, through one home, or through two homes whose stores are links to
// one file: every change each acknowledges is there, and none fails.
class TwoWriters : public ::testing::TestWithParam<bool> {};

TEST_P(TwoWriters, AtOnceLoseNothing) {
  TempHome home, other, shared;
  const bool linked = GetParam();
  const std::filesystem::path target = shared.root() / "store.rmd";
  if (linked) {
    TempHome::WriteBytes(target, "");
    if (!TempHome::MakeFileLink(target, home.store()) || !TempHome::MakeFileLink(target, other.store()))
      GTEST_SKIP() << "no symbolic links here";
  }
  ChildProcess one(Worker(home, "journal1", 150, 1));
  ChildProcess two(Worker(linked ? other : home, "journal2", 150, 2));
  EXPECT_EQ(one.Wait(), 0);
  EXPECT_EQ(two.Wait(), 0);
  Model model;
  Replay(home.root() / "journal1", model);
  Replay((linked ? other : home).root() / "journal2", model);
  EXPECT_EQ(Stored(home), model);
  EXPECT_TRUE(!linked || std::filesystem::is_symlink(home.store()) && std::filesystem::is_symlink(other.store()));
  std::printf("two processes: %s150 changes each, %zu reminders at the end\n", linked ? "through two links, " : "",
              model.size());
}

INSTANTIATE_TEST_SUITE_P(Homes, TwoWriters, ::testing::Bool());

}  // namespace
