// Halvern writes path.txt and reminder reads it: the two programs share no code, so this
// test alone links both, and holds the writer's bytes against the reader's rule, and
// each program's choice of window system against the other's.
#include <gtest/gtest.h>
#include <limits.h>

#include "homeset/HalvernPlatform.h"
#include "homeset/HomePathFile.h"
#include "homeset/TempFolder.h"
#include "os/WindowPlatform.h"
#include "store/HomeDirectory.h"

namespace {

struct Folder {
  const char* name;
  std::string below;  // the folder's path below a temporary folder
};

class PathFileContractTest : public ::testing::TestWithParam<Folder> {};

TEST_P(PathFileContractTest, ReminderReadsBackTheFolderHalvernWrote) {
  TempFolder dir;
  const std::filesystem::path folder = dir.root() / GetParam().below;
  std::filesystem::create_directories(folder);
  OsFileOutput output;
  ASSERT_EQ(WritePathFile(output, folder, dir.root() / "path.txt"), std::nullopt);
  SetHomeDirectory({});
  ASSERT_TRUE(ReadHomeDirectory(OsFileIo::Instance(), dir.root() / "path.txt").ok());
  EXPECT_EQ(HomeDirectory(), folder.native());
}

// Components of the longest a name may be, up to a path a little short of the longest
// the system takes.
std::string NearTheLongestPath() {
  std::string below;
  while (below.size() + 2 * NAME_MAX < PATH_MAX - 64) below += std::string(NAME_MAX, 'n') + "/";
  return below + "end";
}

INSTANTIATE_TEST_SUITE_P(Folders, PathFileContractTest,
                         ::testing::Values(Folder{"comma", "a,b"}, Folder{"quotes", "\"quoted\" and \"b"},
                                           Folder{"leading_blank", " lead"}, Folder{"not_utf8", "caf\xe9\xff"},
                                           Folder{"near_the_longest", NearTheLongestPath()}),
                         [](const auto& p) { return std::string(p.param.name); });

struct Session {
  const char* name;
  const char* display;  // DISPLAY, null when unset
  const char* chosen;   // QT_QPA_PLATFORM, null when unset
  bool x11;             // whether the programs ask for X11
};

class WindowPlatformTest : public ::testing::TestWithParam<Session> {};

TEST_P(WindowPlatformTest, BothProgramsRunThroughX11WhereOfferedUnlessTheUserChose) {
  const Session& s = GetParam();
  const std::string expected = s.x11 ? "xcb" : "";
  EXPECT_EQ(ChosenWindowPlatform(s.display, s.chosen), expected);
  EXPECT_EQ(HalvernWindowPlatform(s.display, s.chosen), expected);
}

INSTANTIATE_TEST_SUITE_P(Sessions, WindowPlatformTest,
                         ::testing::Values(Session{"x11_beside_wayland", ":0", nullptr, true},
                                           Session{"empty_choice", ":1", "", true},
                                           Session{"user_chose_wayland", ":0", "wayland", false},
                                           Session{"wayland_alone", nullptr, nullptr, false},
                                           Session{"empty_display", "", nullptr, false}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
