// The store under real processes: killed in the middle of its work, and shared by two
// writers at once.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <sstream>

#include "platform/CodePage.h"
#include "store/TempHome.h"

#ifndef STORE_TORTURE
#error STORE_TORTURE must name the child program
#endif

namespace {

std::vector<std::string> AboutsIn(const std::string& bytes) {
  std::vector<std::string> out;
  for (std::size_t at = 0; at + 356 <= bytes.size(); at += 356)
    out.push_back(Utf16ToUtf8(TrimSpaces(DecodeRecord(bytes.data() + at).About)));
  return out;
}

pid_t Spawn(const std::vector<std::string>& args, int outFd = -1) {
  pid_t pid = fork();
  if (pid == 0) {
    if (outFd >= 0) dup2(outFd, 1);
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  return pid;
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
    pid_t child = Spawn({STORE_TORTURE, "crash", home.root().native(), journal.native(), std::to_string(round)});
    ASSERT_GT(child, 0);
    usleep(static_cast<useconds_t>(2000 + rng() % 40000));
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
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
  std::vector<std::pair<pid_t, std::filesystem::path>> workers;
  for (std::string id : {"1", "2"}) {
    auto out = home.root() / ("worker" + id);
    int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    workers.emplace_back(Spawn({STORE_TORTURE, "worker", home.root().native(), id, std::to_string(ops), id}, fd), out);
    ::close(fd);
  }
  std::map<std::string, std::string> expected;
  for (auto& [pid, out] : workers) {
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "worker failed: " << status;
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
