#include "os/RunningCopyFolder.h"

#include <gtest/gtest.h>

#include "store/TempHome.h"

// Owners, modes and links are POSIX; on Windows the profile's folders are the user's.
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// How a folder is prepared: its state, and whether only this user can write it then.
enum class State { Private, Missing, GroupWritable, OthersWritable, Link, File, Others };

struct RunningCopyFolderTest : ::testing::TestWithParam<std::tuple<State, bool>> {
  // Leaves `folder` in `state`; false when this user cannot make it so.
  bool Make(const fs::path& folder, State state) {
    if (state == State::Missing) return true;
    if (state == State::File) {
      TempHome::WriteBytes(folder, "");
      return true;
    }
    if (state == State::Link) {
      fs::create_directory(dir.root() / "target");
      ::chmod((dir.root() / "target").c_str(), 0700);
      fs::create_directory_symlink(dir.root() / "target", folder);
      return true;
    }
    fs::create_directory(folder);
    ::chmod(folder.c_str(), state == State::GroupWritable ? 0770 : state == State::OthersWritable ? 0702 : 0700);
    return state != State::Others || (::geteuid() == 0 && ::chown(folder.c_str(), 4242, 4242) == 0);
  }
  TempHome dir;
  const fs::path runtime = dir.root() / "run", fallback = dir.root() / "cache" / "reminder";
};

// The user's runtime folder holds the lock when only the user can write it; else a folder
// of the user's alone, made when missing; when neither will do there is none, and why.
TEST_P(RunningCopyFolderTest, OnlyAFolderThisUserAloneCanWriteHoldsTheLock) {
  const auto [state, asRuntime] = GetParam();
  std::string why;
  if (asRuntime) {
    if (!Make(runtime, state)) GTEST_SKIP() << "only root can give a folder to another user";
    const fs::path chosen = RunningCopyFolder(runtime, fallback, why);
    EXPECT_EQ(chosen, state == State::Private ? runtime : fallback) << why;
    struct stat st;
    ASSERT_EQ(::lstat(chosen.c_str(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 0777) == 0700);
  } else {
    fs::create_directories(fallback.parent_path());
    if (!Make(fallback, state)) GTEST_SKIP() << "only root can give a folder to another user";
    const fs::path chosen = RunningCopyFolder(runtime, fallback, why);
    const bool usable = state == State::Private || state == State::Missing;
    EXPECT_EQ(chosen, usable ? fallback : fs::path());
    EXPECT_EQ(why.find(fallback.native()) != std::string::npos, !usable) << why;
  }
}

INSTANTIATE_TEST_SUITE_P(States, RunningCopyFolderTest,
                         ::testing::Combine(::testing::Values(State::Private, State::Missing, State::GroupWritable,
                                                              State::OthersWritable, State::Link, State::File,
                                                              State::Others),
                                            ::testing::Bool()));

}  // namespace
#endif
