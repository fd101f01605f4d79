#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/Launcher.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

// A path that a shell would split, quote, chain or substitute, or that a program would
// take for an option, starts exactly that file with no arguments, and nothing named in
// the path runs.
class QtLauncherPaths : public ::testing::TestWithParam<const char*> {};

TEST_P(QtLauncherPaths, StartsExactlyThatFileWithNoArguments) {
  TempHome dir;
  const fs::path ran = dir.root() / "ran";
  const fs::path script = dir.root() / GetParam();
  {
    std::ofstream out(script);
    out << "#!/bin/sh\nprintf '%s %s' \"$0\" \"$#\" > '" << ran.native() << "'\n";
  }
  fs::permissions(script, fs::perms::owner_all);
  QtLauncher launcher;
  ASSERT_FALSE(launcher.Open(QString::fromStdString(script.native())).has_value());
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(ran) && fs::file_size(ran) > 0; }, 5000));
  EXPECT_EQ(TempHome::ReadBytes(ran), script.native() + " 0");
  // A shell would have run these in the program's folder, its working folder.
  EXPECT_FALSE(fs::exists(dir.root() / "injected"));
}

INSTANTIATE_TEST_SUITE_P(Names, QtLauncherPaths,
                         ::testing::Values("plain", "with space", "double\"quote", "single'quote",
                                           "semi;touch injected", "and && touch injected",
                                           "$(touch injected)", "`touch injected`", "-leading-dash",
                                           "new\nline touch injected"));

TEST(QtLauncher, MissingFileIsReportedWithItsPath) {
  QtLauncher launcher;
  auto failure = launcher.Open("/no/such/program");
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(*failure, "No such file or directory: /no/such/program");
}

}  // namespace
