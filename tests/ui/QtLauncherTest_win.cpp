#include <gtest/gtest.h>

#include <QTest>

#include "store/TempHome.h"
#include "ui/Launcher.h"

namespace fs = std::filesystem;

class QtLauncherPaths : public ::testing::TestWithParam<const wchar_t*> {};

// A batch file opens by its default verb, in its own folder, or the system says why not
// (Wine's shell refuses a name with "&"), whatever characters the command interpreter
// would read in its name; nothing named in the name runs.
TEST_P(QtLauncherPaths, OpensThatFileByItsDefaultVerbOrSaysWhy) {
  TempHome dir;
  const fs::path script = dir.root() / (std::wstring(GetParam()) + L".cmd");
  TempHome::WriteBytes(script, "@echo ran> ran\r\n");
  if (const auto failure = QtLauncher().Open(QString::fromStdWString(script.native())))
    EXPECT_TRUE(failure->endsWith(": " + QString::fromStdWString(script.native()))) << failure->toStdString();
  else
    EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(dir.root() / "ran"); }, 10000));
  EXPECT_FALSE(fs::exists(dir.root() / "injected"));
}

INSTANTIATE_TEST_SUITE_P(Names, QtLauncherPaths,
                         ::testing::Values(L"with space", L"and & echo x> injected", L"per%cent%", L"caret^ (paren)"));

// A task whose file has gone is reported with the system's text and the path.
TEST(QtLauncher, AMissingFileIsReportedWithItsPath) {
  TempHome dir;
  const QString gone = QString::fromStdWString((dir.root() / "gone").native());
  const QString failure = QtLauncher().Open(gone).value_or("");
  EXPECT_TRUE(failure.endsWith(": " + gone) && failure.size() > gone.size() + 2) << failure.toStdString();
}
