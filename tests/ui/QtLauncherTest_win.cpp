#include <gtest/gtest.h>

#include <QTest>

#include "store/TempHome.h"
#include "ui/Launcher.h"

namespace fs = std::filesystem;

class QtLauncherPaths : public ::testing::TestWithParam<const wchar_t*> {};

// A batch file opens by its default verb, in its own folder, whatever characters the
// command interpreter would read in its name, and nothing named in the name runs.
TEST_P(QtLauncherPaths, OpensThatFileByItsDefaultVerb) {
  TempHome dir;
  const fs::path script = dir.root() / (std::wstring(GetParam()) + L".cmd");
  TempHome::WriteBytes(script, "@echo ran> ran\r\n");
  ASSERT_FALSE(QtLauncher().Open(QString::fromStdWString(script.native())).has_value());
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(dir.root() / "ran"); }, 10000));
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
