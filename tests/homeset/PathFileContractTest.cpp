// Halvern writes path.txt and reminder reads it: the two programs share no code, so this
// test alone links both, and holds the writer's bytes against the reader's rule.
#include <gtest/gtest.h>
#include <limits.h>

#include "homeset/HomePathFile.h"
#include "homeset/TempFolder.h"
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

}  // namespace
