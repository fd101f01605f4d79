#include <gtest/gtest.h>

#include <QFile>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/Launcher.h"
#include "store/TempHome.h"

namespace fs = std::filesystem;

namespace {

// A path that a shell would split, quote or substitute opens exactly that file: the
// script runs, and nothing named in its path does.
TEST(QtLauncher, StartsAnExecutableDirectlyWhateverItsPathHolds) {
  TempHome dir;
  const fs::path ran = dir.root() / "ran";
  const fs::path injected = dir.root() / "injected";
  // A shell would run the substitutions in the program's folder, its working folder.
  for (std::string name : {"plain", "with space; \"quote\" $(touch injected) `touch injected`"}) {
    const fs::path script = dir.root() / name;
    {
      std::ofstream out(script);
      out << "#!/bin/sh\necho \"$#\" > '" << ran.native() << "'\n";
    }
    fs::permissions(script, fs::perms::owner_all);
    QtLauncher launcher;
    EXPECT_FALSE(launcher.Open(QString::fromStdString(script.native())).has_value());
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(ran); }, 5000)) << name;
    EXPECT_EQ(TempHome::ReadBytes(ran), "0\n");  // started with no arguments
    fs::remove(ran);
  }
  EXPECT_FALSE(fs::exists(injected));
}

TEST(QtLauncher, MissingFileIsReportedWithItsPath) {
  QtLauncher launcher;
  auto failure = launcher.Open("/no/such/program");
  ASSERT_TRUE(failure.has_value());
  EXPECT_EQ(*failure, "No such file or directory: /no/such/program");
}

}  // namespace
