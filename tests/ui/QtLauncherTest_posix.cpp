#include <gtest/gtest.h>

#include <QTest>

#include "store/TempHome.h"
#include "ui/Launcher.h"

namespace fs = std::filesystem;

class QtLauncherPaths : public ::testing::TestWithParam<const char*> {};

// A path that a shell would split, quote, chain or substitute, or that a program would
// take for an option, starts exactly that file with no arguments, and nothing named in
// the path runs (a shell would have run it in the program's folder, its working folder).
TEST_P(QtLauncherPaths, StartsExactlyThatFileWithNoArguments) {
  TempHome dir;
  const fs::path ran = dir.root() / "ran", script = dir.root() / GetParam();
  TempHome::WriteBytes(script, "#!/bin/sh\nprintf '%s %s' \"$0\" \"$#\" > '" + ran.native() + "'\n");
  fs::permissions(script, fs::perms::owner_all);
  ASSERT_FALSE(QtLauncher().Open(QString::fromStdString(script.native())).has_value());
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(ran) && fs::file_size(ran) > 0; }, 5000));
  EXPECT_EQ(TempHome::ReadBytes(ran), script.native() + " 0");
  EXPECT_FALSE(fs::exists(dir.root() / "injected"));
}

INSTANTIATE_TEST_SUITE_P(Names, QtLauncherPaths,
                         ::testing::Values("with space", "double\"quote", "single'quote", "semi;touch injected",
                                           "and && touch injected", "$(touch injected)", "`touch injected`",
                                           "-leading-dash", "new\nline touch injected"));

// A task whose file has gone is reported with the system's text and the path, and
// nothing is opened in its place.
TEST(QtLauncher, AMissingFileIsReportedWithItsPath) {
  TempHome dir;
  const fs::path gone = dir.root() / "gone";
  EXPECT_EQ(QtLauncher().Open(QString::fromStdString(gone.native())).value_or("").toStdString(),
            "No such file or directory: " + gone.native());
}
